#pragma once
// The main window `Form1`: six input fields, the results table and the sum row, the two
// summary fields, the chart's place, two pictures and four command buttons. The window
// owns the calculation's model and shows its table and sum row through table models.
//
// The command handlers throw what the calculation throws. A command started by its
// button hands the failure to the application's top-level error report (RunCommand);
// nothing here handles a failure itself.
#include <QFileDialog>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/calculation.h"

namespace Ui {
class TForm1;
}

namespace arvelle::ui {

class GridTableModel;

class TForm1 final : public QWidget {
  Q_OBJECT

 public:
  // Runs once while the window is being built: after its controls exist and before
  // `FormCreate` writes the table's header row (the splash screen shows itself there).
  using ControlsCreatedHook = std::function<void(TForm1&)>;

  explicit TForm1(ControlsCreatedHook afterControlsCreated = {}, QWidget* parent = nullptr);
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // The calculation's inputs, table, sum row, chart series and summary texts.
  PitchCircleModel& Model() { return model_; }
  const PitchCircleModel& Model() const { return model_; }

  // The hole-position chart, or the disabled placeholder at its place until it is set.
  QWidget* Chart1() const;
  // Puts `chart` in the chart's place: the placeholder's geometry and name, disabled (it
  // ignores the mouse), over the results table it overlaps. The window takes ownership
  // and deletes the placeholder.
  void SetChart(QWidget* chart);

  // "About" runs `handler` (it shows the About window modally).
  void SetAboutHandler(std::function<void()> handler) { aboutHandler_ = std::move(handler); }
  // "Save" runs `handler` with the path chosen in the save dialog (it writes the workbook).
  void SetExportHandler(std::function<void(const QString& fileName)> handler) {
    exportHandler_ = std::move(handler);
  }

  // The save dialog of "Save", kept for the whole life of the window so that it offers
  // the last chosen path again.
  QFileDialog* SaveDialog1() const { return saveDialog1_; }

 public slots:
  // "About".
  void BitBtn1Click();
  // "Calculations": the six field texts go to the calculation; the table views, the sum
  // row and `Edit1`, `Edit2` show its results, also those of a run that stopped.
  void BitBtn2Click();
  // "Exit": asks "Exit?" and closes the window on Yes.
  void BitBtn3Click();
  // "Save": asks for a file name, then hands it to the export; Cancel does nothing.
  void Save_BitBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void AfterControlsCreated();
  void FormCreate();
  void SetUpLook();
  void ShowResults();

  std::unique_ptr<Ui::TForm1> ui_;
  PitchCircleModel model_;
  // Declared after the calculation's model, whose grids they listen to, so that they
  // stop listening before the grids go.
  std::unique_ptr<GridTableModel> tableModel_;
  std::unique_ptr<GridTableModel> sumRowModel_;
  QFileDialog* saveDialog1_;
  ControlsCreatedHook afterControlsCreated_;
  std::function<void()> aboutHandler_;
  std::function<void(const QString&)> exportHandler_;
  bool shownBefore_ = false;
};

}  // namespace arvelle::ui
