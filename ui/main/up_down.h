#pragma once
// An up-down button pair bound to a text field: each click (or the up and down arrow keys
// while the field has the focus) moves the field's number by one step within a range and
// writes it back as an integer. The step starts from the integer the field holds, so a
// typed value counts; a field holding no integer steps from the last position. A typed
// value outside the range stays as typed until the next step, which brings the result
// into the range; the position never wraps at either end.
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

class QToolButton;

namespace arvelle::ui {

class UpDown final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
  Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
  Q_PROPERTY(int increment READ increment WRITE setIncrement)
  Q_PROPERTY(int position READ position WRITE setPosition)

 public:
  explicit UpDown(QWidget* parent = nullptr);

  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  int increment() const { return increment_; }
  int position() const { return position_; }
  void setMinimum(int minimum) { minimum_ = minimum; }
  void setMaximum(int maximum) { maximum_ = maximum; }
  void setIncrement(int increment) { increment_ = increment; }
  // Sets the position, held within the range, and writes it into the bound field.
  void setPosition(int position);

  // Binds the field and writes the current position into it.
  void SetAssociate(QLineEdit* field);
  QLineEdit* Associate() const { return field_; }

  // One step up (+1) or down (-1), as a click on the upper or lower arrow does.
  void Step(int direction);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void WritePosition();

  int minimum_ = 0;
  int maximum_ = 100;
  int increment_ = 1;
  int position_ = 0;
  QPointer<QLineEdit> field_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace arvelle::ui
