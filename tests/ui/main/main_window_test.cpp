// The main window: its layout against the layout table, the Tab cycle, the up-down
// buttons, "Calculations" into the views, the error box and the exit question.
#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "app/application.h"
#include "core/errors.h"
#include "core/format_settings.h"
#include "modal_driver.h"
#include "ui/main/fonts.h"
#include "ui/main/grid_view.h"
#include "ui/main/main_window.h"
#include "ui/main/up_down.h"

using arvelle::test::AnswerNextBox;
using arvelle::test::SeenBox;
using arvelle::ui::TForm1;

namespace {

// A receiver whose event handler throws what it is given, as a failing command does.
class ThrowingReceiver final : public QObject {
 public:
  explicit ThrowingReceiver(std::function<void()> thrower) : thrower_(std::move(thrower)) {}
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) thrower_();
    return QObject::event(event);
  }

 private:
  std::function<void()> thrower_;
};

QString TextOf(const QWidget* widget) {
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* field = qobject_cast<const QLineEdit*>(widget)) return field->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  return {};
}

Qt::Alignment AlignmentOf(const QWidget* widget) {
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->alignment();
  if (auto* field = qobject_cast<const QLineEdit*>(widget)) return field->alignment();
  return {};
}

const QStringList kTabCycle = {"AdvStringGrid1", "D_Edit",         "alpha_Edit", "n_Edit",
                               "Nforce_Edit",    "Mx_Edit",        "My_Edit",    "BitBtn2",
                               "BitBtn3",        "AdvStringGrid2", "Save_BitBtn"};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TForm1> form_;

  template <typename Widget = QWidget>
  Widget* Control(const QString& name) const {
    auto* widget = form_->findChild<Widget*>(name);
    if (widget == nullptr) qFatal("no control %s", qPrintable(name));
    return widget;
  }
  QString Cell(const QString& grid, int col, int row) const {
    // The sum row has no fixed row; both grids have a fixed column.
    const int fixedRows = grid == "AdvStringGrid1" ? 1 : 0;
    const QAbstractItemModel* model = Control<QAbstractItemView>(grid)->model();
    if (row < fixedRows && col == 0) return {};
    if (row < fixedRows) return model->headerData(col - 1, Qt::Horizontal).toString();
    if (col == 0) return model->headerData(row - fixedRows, Qt::Vertical).toString();
    return model->index(row - fixedRows, col - 1).data().toString();
  }
  void Type(const QString& field, const QString& text) {
    auto* edit = Control<QLineEdit>(field);
    edit->clear();
    QTest::keyClicks(edit, text);
  }

 private slots:
  void init() {
    form_ = std::make_unique<TForm1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QApplication::setActiveWindow(form_.get());
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void windowProperties() {
    QCOMPARE(form_->windowTitle(), QString("Arvelle v.2.0"));
    QCOMPARE(form_->size(), QSize(1121, 423));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    const Qt::WindowFlags flags = form_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form_->font().family(), QString("Tahoma"));
    QCOMPARE(form_->font().pixelSize(), 11);
    QCOMPARE(form_->palette().color(QPalette::Window), form_->palette().color(QPalette::Button));
  }

  void centredOnTheScreenWhenFirstShown() {
    const QRect screen = form_->screen()->availableGeometry();
    // The platform tells the frame's size only once the window shows, so the centring
    // may be off by the frame's border.
    const int border = form_->frameGeometry().width() - form_->width();
    const QPoint offset = form_->frameGeometry().center() - screen.center();
    QVERIFY2(std::abs(offset.x()) <= border && std::abs(offset.y()) <= border,
             qPrintable(QString("off by %1,%2").arg(offset.x()).arg(offset.y())));
  }

  void localeChangeReloadsTheDecimalSeparator() {
    arvelle::FormatSettings.DecimalSeparator = u'#';
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &change);
    QCOMPARE(arvelle::FormatSettings.DecimalSeparator,
             arvelle::FormatSettingsFromUserLocale().DecimalSeparator);
  }

  void layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");  // 0: not checked
    QTest::addColumn<QColor>("base");    // invalid: the default field colour
    QTest::addColumn<bool>("enabled");

    const int left = Qt::AlignLeft | Qt::AlignTop;
    const int centred = Qt::AlignCenter;
    const QColor none;
    const QColor moneyGreen(0xC0, 0xDC, 0xC0);
    const QColor skyBlue(0xA6, 0xCA, 0xF0);
    const QColor menu = QApplication::palette("QMenu").color(QPalette::Window);
    auto row = [](const char* name, QRect geometry, const char* text, int alignment, QColor base,
                  bool enabled) {
      QTest::newRow(name) << QString(name) << geometry << QString(text) << alignment << base
                          << enabled;
    };
    row("Label1", {179, 88, 70, 13}, "Diameter [mm]", left, none, true);
    row("Label2", {167, 139, 82, 13}, "Start angle [deg]", left, none, true);
    row("Label3", {192, 185, 65, 13}, "Bolts number ", left, none, true);
    row("Label4", {151, 12, 33, 13}, "N [kN] ", left, none, true);
    row("Label5", {151, 38, 45, 13}, "Mx [kNm]", left, none, true);
    row("Label6", {151, 65, 45, 13}, "My [kNm]", left, none, true);
    row("Image1", {888, 225, 194, 170}, "", left, none, true);
    row("Label8", {21, 12, 57, 13}, "(-compress)", left, none, true);
    row("Label9", {84, 355, 135, 13}, "[deg] Degree between bolts", left, none, true);
    row("Label10", {84, 382, 139, 13}, "[mm] Distance between bolts", left, none, true);
    row("Image2", {-10, 2, 215, 322}, "", left, none, true);
    row("AdvStringGrid1", {251, 2, 586, 335}, "", 0, none, true);
    row("D_Edit", {192, 107, 61, 21}, "3000", centred, moneyGreen, true);
    row("alpha_Edit", {192, 158, 45, 21}, "0", centred, menu, true);
    row("n_Edit", {192, 204, 45, 21}, "4", centred, none, true);
    row("Nforce_Edit", {84, 8, 61, 21}, "-340", centred, skyBlue, true);
    row("Mx_Edit", {84, 34, 61, 21}, "130", centred, skyBlue, true);
    row("My_Edit", {84, 61, 61, 21}, "130", centred, skyBlue, true);
    row("AdvStringGrid2", {251, 343, 569, 29}, "", 0, none, true);
    row("BitBtn1", {404, 378, 149, 39}, "About", 0, none, true);
    row("BitBtn2", {249, 378, 149, 39}, "Calculations", 0, none, true);
    row("BitBtn3", {714, 378, 123, 39}, "Exit", 0, none, true);
    row("UpDown1", {237, 204, 16, 21}, "", 0, none, true);
    row("UpDown2", {237, 158, 16, 21}, "", 0, none, true);
    row("Chart1", {831, -22, 282, 247}, "", 0, none, false);
    row("Edit1", {17, 351, 61, 21}, "", centred, none, false);
    row("Edit2", {17, 378, 61, 21}, "", centred, none, false);
    row("Save_BitBtn", {559, 378, 149, 39}, "Save", 0, none, true);
    row("Label7", {924, 401, 190, 16}, "Arvelle bolt circle layout", left, none, true);
  }

  void layout() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, alignment);
    QFETCH(QColor, base);
    QFETCH(bool, enabled);
    const QWidget* control = Control(name);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(TextOf(control), text);
    if (alignment != 0) QCOMPARE(int(AlignmentOf(control)), alignment);
    const QColor expectedBase =
        base.isValid() ? base : QApplication::palette("QLineEdit").color(QPalette::Base);
    if (qobject_cast<const QLineEdit*>(control) && enabled) {
      QCOMPARE(control->palette().color(QPalette::Active, QPalette::Base), expectedBase);
    }
    QCOMPARE(control->isEnabled(), enabled);
  }

  // Labels and pictures lie under every control that is a window of its own, in the
  // order of the layout table; the base-plate picture lies over the labels before it.
  void stackingOrder() {
    const QObjectList children = form_->children();
    auto at = [&](const char* name) { return children.indexOf(Control(name)); };
    QVERIFY(at("Label8") < at("Image2"));
    QVERIFY(at("Label4") < at("Image2"));
    QVERIFY(at("Image2") < at("AdvStringGrid1"));
    QVERIFY(at("AdvStringGrid1") < at("Chart1"));
  }

  void controlsCarryTheWindowFont() {
    for (const char* name : {"Label1", "D_Edit", "BitBtn2", "AdvStringGrid1"}) {
      QCOMPARE(Control(name)->font().pixelSize(), 11);
    }
    const QFont credit = Control("Label7")->font();
    QCOMPARE(credit.pixelSize(), 13);
    QCOMPARE(Control("Label7")->palette().color(QPalette::WindowText), QColor(Qt::gray));
  }

  void picturesGlyphsAndIcon() {
    QCOMPARE(Control<QLabel>("Image1")->pixmap().size(), QSize(194, 170));
    QVERIFY(Control<QLabel>("Image1")->hasScaledContents());
    // The base-plate picture at its own size, with a transparent ground.
    const QImage basePlate = Control<QLabel>("Image2")->pixmap().toImage();
    QCOMPARE(basePlate.size(), QSize(215, 322));
    QVERIFY(basePlate.hasAlphaChannel());
    QCOMPARE(qAlpha(basePlate.pixel(0, 0)), 0);
    for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3", "Save_BitBtn"}) {
      auto* button = Control<QPushButton>(name);
      QVERIFY2(!button->icon().isNull(), name);
      QCOMPARE(button->iconSize(), QSize(24, 24));
    }
    QCOMPARE(form_->windowIcon().availableSizes(),
             (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(48, 48)}));
  }

  void gridLook_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<bool>("headerRowShown");
    QTest::addColumn<int>("rows");
    QTest::newRow("results table") << QString("AdvStringGrid1") << true << 99;
    QTest::newRow("sum row") << QString("AdvStringGrid2") << false << 1;
  }

  void gridLook() {
    QFETCH(QString, grid);
    QFETCH(bool, headerRowShown);
    QFETCH(int, rows);
    auto* view = Control<QTableView>(grid);
    QCOMPARE(view->model()->rowCount(), rows);
    QCOMPARE(view->model()->columnCount(), 6);
    QCOMPARE(view->horizontalHeader()->isVisible(), headerRowShown);
    QCOMPARE(view->verticalHeader()->width(), 80);
    QCOMPARE(view->horizontalHeader()->height(), 22);
    for (int col = 0; col < 6; ++col) QCOMPARE(view->columnWidth(col), 80);
    QCOMPARE(view->rowHeight(0), 22);
    QVERIFY(view->verticalHeader()->font().bold());
    QVERIFY(!view->font().bold());
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(view->selectionMode(), QAbstractItemView::ContiguousSelection);
    QVERIFY(!view->tabKeyNavigation());
    QCOMPARE(view->textElideMode(), Qt::ElideNone);
  }

  void opensWithTheHeaderRowOnly() {
    QCOMPARE(Control<QAbstractItemView>("AdvStringGrid1")->model()->rowCount(), 99);
    const QStringList headers = {"Angle", "X Axis", "Y Axis", "X^2", "Y^2", "P [kN]"};
    for (int col = 1; col <= 6; ++col) QCOMPARE(Cell("AdvStringGrid1", col, 0), headers[col - 1]);
    QCOMPARE(form_->Model().AdvStringGrid1.GetCellEx(0, 0), std::string("Bolts"));
    QCOMPARE(Cell("AdvStringGrid1", 1, 1), QString());
    QCOMPARE(Cell("AdvStringGrid2", 4, 0), QString());
  }

  void tabCycle() {
    QCOMPARE(QApplication::focusWidget(), Control("AdvStringGrid1"));
    QStringList visited = {QApplication::focusWidget()->objectName()};
    for (int press = 0; press < kTabCycle.size(); ++press) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, kTabCycle + QStringList{"AdvStringGrid1"});
  }

  void upDown_data() {
    QTest::addColumn<QString>("upDown");
    QTest::addColumn<QString>("typed");   // empty: the field keeps its text
    QTest::addColumn<QString>("action");  // up, down, keyUp, keyDown, none
    QTest::addColumn<QString>("expected");

    QTest::newRow("initial bolts") << "UpDown1"
                                   << ""
                                   << "none"
                                   << "4";
    QTest::newRow("initial angle") << "UpDown2"
                                   << ""
                                   << "none"
                                   << "0";
    QTest::newRow("bolts up") << "UpDown1"
                              << ""
                              << "up"
                              << "5";
    QTest::newRow("typed 10 then up") << "UpDown1"
                                      << "10"
                                      << "up"
                                      << "11";
    QTest::newRow("typed 10 then down") << "UpDown1"
                                        << "10"
                                        << "down"
                                        << "9";
    QTest::newRow("bolts 0 down") << "UpDown1"
                                  << "0"
                                  << "down"
                                  << "0";
    QTest::newRow("bolts 100 up") << "UpDown1"
                                  << "100"
                                  << "up"
                                  << "100";
    QTest::newRow("typed 150 stays") << "UpDown1"
                                     << "150"
                                     << "none"
                                     << "150";
    QTest::newRow("typed 150 then up") << "UpDown1"
                                       << "150"
                                       << "up"
                                       << "100";
    QTest::newRow("typed -3 then up") << "UpDown1"
                                      << "-3"
                                      << "up"
                                      << "0";
    QTest::newRow("angle down at 0") << "UpDown2"
                                     << ""
                                     << "down"
                                     << "0";
    QTest::newRow("angle up") << "UpDown2"
                              << ""
                              << "up"
                              << "5";
    QTest::newRow("angle typed 12 up") << "UpDown2"
                                       << "12"
                                       << "up"
                                       << "17";
    QTest::newRow("angle 90 up") << "UpDown2"
                                 << "90"
                                 << "up"
                                 << "90";
    QTest::newRow("angle 88 up") << "UpDown2"
                                 << "88"
                                 << "up"
                                 << "90";
    QTest::newRow("typed 120 stays") << "UpDown2"
                                     << "120"
                                     << "none"
                                     << "120";
    QTest::newRow("angle arrow up") << "UpDown2"
                                    << "10"
                                    << "keyUp"
                                    << "15";
    QTest::newRow("angle arrow down") << "UpDown2"
                                      << "10"
                                      << "keyDown"
                                      << "5";
    QTest::newRow("bolts arrow up") << "UpDown1"
                                    << ""
                                    << "keyUp"
                                    << "5";
    QTest::newRow("bolts arrow down at 0") << "UpDown1"
                                           << "0"
                                           << "keyDown"
                                           << "0";
    QTest::newRow("no integer steps from the position") << "UpDown1"
                                                        << "abc"
                                                        << "up"
                                                        << "5";
    QTest::newRow("a fraction steps from the position") << "UpDown1"
                                                        << "7.5"
                                                        << "down"
                                                        << "3";
  }

  void upDown() {
    QFETCH(QString, upDown);
    QFETCH(QString, typed);
    QFETCH(QString, action);
    QFETCH(QString, expected);
    auto* control = Control<arvelle::ui::UpDown>(upDown);
    QLineEdit* field = control->Associate();
    QVERIFY(field != nullptr);
    if (!typed.isEmpty()) {
      field->setFocus();
      field->clear();
      QTest::keyClicks(field, typed);
    }
    if (action == "up") QTest::mouseClick(control->UpButton(), Qt::LeftButton);
    if (action == "down") QTest::mouseClick(control->DownButton(), Qt::LeftButton);
    if (action == "keyUp") QTest::keyClick(field, Qt::Key_Up);
    if (action == "keyDown") QTest::keyClick(field, Qt::Key_Down);
    QCOMPARE(field->text(), expected);
  }

  void upDownsAreBoundToTheirFields() {
    QCOMPARE(Control<arvelle::ui::UpDown>("UpDown1")->Associate(), Control("n_Edit"));
    QCOMPARE(Control<arvelle::ui::UpDown>("UpDown2")->Associate(), Control("alpha_Edit"));
  }

  void calculationsWithTheDefaultInputs() {
    QTest::mouseClick(Control("BitBtn2"), Qt::LeftButton);
    const QStringList expected[] = {
        {"0", "0", "0", "1500", "0", "2250000", "-128.33"},
        {"1", "90", "1500", "0", "2250000", "0", "-128.33"},
        {"2", "180", "0", "-1500", "0", "2250000", "-41.67"},
        {"3", "270", "-1500", "0", "2250000", "0", "-41.67"},
    };
    for (int bolt = 0; bolt < 4; ++bolt) {
      for (int col = 0; col < 7; ++col) {
        QCOMPARE(Cell("AdvStringGrid1", col, bolt + 1), expected[bolt][col]);
      }
    }
    QCOMPARE(Cell("AdvStringGrid1", 1, 5), QString());
    QCOMPARE(Cell("AdvStringGrid2", 4, 0), QString("4500000"));
    QCOMPARE(Cell("AdvStringGrid2", 5, 0), QString("4500000"));
    QCOMPARE(Control<QLineEdit>("Edit1")->text(), QString("90"));
    QCOMPARE(Control<QLineEdit>("Edit2")->text(), QString("2356.19"));
    QCOMPARE(Cell("AdvStringGrid1", 1, 0), QString("Angle"));
  }

  void moreBoltsThanTheTableShowsScrollThrough() {
    Type("n_Edit", "150");
    QTest::mouseClick(Control("BitBtn2"), Qt::LeftButton);
    auto* view = Control<QTableView>("AdvStringGrid1");
    QCOMPARE(view->model()->rowCount(), 150);
    QCOMPARE(Cell("AdvStringGrid1", 0, 150), QString("149"));
    QVERIFY(!Cell("AdvStringGrid1", 6, 150).isEmpty());
    view->scrollToBottom();
    QCOMPARE(view->rowAt(view->viewport()->height() - 1), 149);
  }

  void aFailedRunShowsWhatItWrote() {
    QTest::mouseClick(Control("BitBtn2"), Qt::LeftButton);
    Type("n_Edit", "1");
    SeenBox box;
    AnswerNextBox(&box, QMessageBox::Ok);
    QTest::mouseClick(Control("BitBtn2"), Qt::LeftButton);
    QVERIFY(box.seen);
    QCOMPARE(box.text, QString("Invalid floating point operation."));
    // The run stopped in the force pass: one bolt row, new sums, the old summary texts.
    QCOMPARE(Cell("AdvStringGrid1", 3, 1), QString("1500"));
    QCOMPARE(Cell("AdvStringGrid1", 6, 1), QString());
    QCOMPARE(Cell("AdvStringGrid1", 1, 2), QString());
    QCOMPARE(Cell("AdvStringGrid2", 4, 0), QString("0"));
    QCOMPARE(Cell("AdvStringGrid2", 5, 0), QString("2250000"));
    QCOMPARE(Control<QLineEdit>("Edit1")->text(), QString("90"));
  }

  void fieldThatIsNoNumber_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("diameter abc") << "D_Edit"
                                  << "abc"
                                  << "'abc' is not a valid floating point value.";
    QTest::newRow("angle abc") << "alpha_Edit"
                               << "abc"
                               << "'abc' is not a valid floating point value.";
    QTest::newRow("bolts with a period at the end") << "n_Edit"
                                                    << "x."
                                                    << "'x.' is not a valid floating point value.";
  }

  void fieldThatIsNoNumber() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QTest::mouseClick(Control("BitBtn2"), Qt::LeftButton);
    Type(field, text);
    SeenBox box;
    AnswerNextBox(&box, QMessageBox::Ok);
    QTest::mouseClick(Control("BitBtn2"), Qt::LeftButton);
    QVERIFY(box.seen);
    QCOMPARE(box.text, message);
    QCOMPARE(box.title, static_cast<arvelle::shell::Application*>(qApp)->Title());
    // The first character keeps its case.
    QCOMPARE(box.title, QString("main_window_test"));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    QVERIFY(box.modal);
    QCOMPARE(box.parent, form_.get());
    // The window goes on: cleared table with its headers, the earlier sums and summary.
    QVERIFY(form_->isVisible());
    QCOMPARE(Cell("AdvStringGrid1", 1, 0), QString("Angle"));
    QCOMPARE(Cell("AdvStringGrid1", 1, 1), QString());
    QCOMPARE(Cell("AdvStringGrid2", 4, 0), QString("4500000"));
    QCOMPARE(Control<QLineEdit>("Edit2")->text(), QString("2356.19"));
  }

  void reportOfAnyHandlerFailure_data() {
    QTest::addColumn<std::function<void()>>("thrower");
    QTest::addColumn<QString>("text");
    using Thrower = std::function<void()>;
    QTest::newRow("message gets a period")
        << Thrower([] { throw arvelle::Exception("Disk full"); }) << "Disk full.";
    QTest::newRow("message ending in a period keeps one")
        << Thrower([] { throw arvelle::Exception("Cannot write the file."); })
        << "Cannot write the file.";
    QTest::newRow("message ending in a quote is left alone")
        << Thrower([] { throw arvelle::Exception("Cannot open 'a.xls'"); })
        << "Cannot open 'a.xls'";
    QTest::newRow("fault message gets a period")
        << Thrower([] { throw arvelle::EZeroDivide(); }) << "Floating point division by zero.";
    QTest::newRow("not an Exception shows nothing") << Thrower([] { throw 42; }) << "";
    QTest::newRow("standard exception shows nothing")
        << Thrower([] { throw std::runtime_error("inner"); }) << "";
  }

  void reportOfAnyHandlerFailure() {
    QFETCH(std::function<void()>, thrower);
    QFETCH(QString, text);
    ThrowingReceiver receiver(thrower);
    SeenBox box;
    AnswerNextBox(&box, QMessageBox::Ok);
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &event);
    QVERIFY(box.seen);
    QCOMPARE(box.text, text);
    QCOMPARE(box.icon, QMessageBox::Critical);
  }

  void exitQuestionDeclined_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("No") << int(QMessageBox::No);
    QTest::newRow("Escape") << int(QMessageBox::NoButton);
  }

  void exitQuestionDeclined() {
    QFETCH(int, answer);
    Type("D_Edit", "2400");
    QTest::mouseClick(Control("BitBtn2"), Qt::LeftButton);
    Type("Mx_Edit", "77");
    const QStringList fields = {"D_Edit",  "alpha_Edit", "n_Edit", "Nforce_Edit",
                                "Mx_Edit", "My_Edit",    "Edit1",  "Edit2"};
    QStringList before;
    for (const QString& name : fields) before << Control<QLineEdit>(name)->text();
    QStringList tableBefore;
    for (int row = 0; row <= 5; ++row) {
      for (int col = 0; col < 7; ++col) tableBefore << Cell("AdvStringGrid1", col, row);
    }

    SeenBox box;
    AnswerNextBox(&box, static_cast<QMessageBox::StandardButton>(answer));
    QTest::mouseClick(Control("BitBtn3"), Qt::LeftButton);
    QVERIFY(box.seen);
    QCOMPARE(box.title, QString("Confirm"));
    QCOMPARE(box.text, QString("Exit?"));
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(box.buttons, (QList<QMessageBox::StandardButton>{QMessageBox::Yes, QMessageBox::No}));
    QCOMPARE(box.defaultButton, QMessageBox::Yes);

    QVERIFY(form_->isVisible());
    QStringList after;
    for (const QString& name : fields) after << Control<QLineEdit>(name)->text();
    QCOMPARE(after, before);
    QStringList tableAfter;
    for (int row = 0; row <= 5; ++row) {
      for (int col = 0; col < 7; ++col) tableAfter << Cell("AdvStringGrid1", col, row);
    }
    QCOMPARE(tableAfter, tableBefore);
  }

  void exitQuestionAcceptedCloses() {
    SeenBox box;
    AnswerNextBox(&box, QMessageBox::Yes);
    QTest::mouseClick(Control("BitBtn3"), Qt::LeftButton);
    QVERIFY(box.seen);
    QVERIFY(!form_->isVisible());
  }

  void titleBarCloseAsksNothing() {
    SeenBox box;
    AnswerNextBox(&box, QMessageBox::Yes);
    QVERIFY(form_->close());
    QTest::qWait(3 * arvelle::test::kPollMs);
    QVERIFY(!box.seen);
    QVERIFY(!form_->isVisible());
  }

  void chartTakesThePlaceholdersPlace() {
    QPointer<QWidget> placeholder = form_->Chart1();
    auto* chart = new QWidget;
    form_->SetChart(chart);
    QVERIFY(placeholder.isNull());
    QCOMPARE(form_->Chart1(), chart);
    QCOMPARE(chart->parentWidget(), form_.get());
    QCOMPARE(chart->geometry(), QRect(831, -22, 282, 247));
    QVERIFY(!chart->isEnabled());
    QVERIFY(chart->isVisible());
    const QObjectList children = form_->children();
    QVERIFY(children.indexOf(chart) > children.indexOf(Control("AdvStringGrid1")));
  }

  void aboutRunsItsHandler() {
    int shown = 0;
    form_->SetAboutHandler([&shown] { ++shown; });
    QTest::mouseClick(Control("BitBtn1"), Qt::LeftButton);
    QCOMPARE(shown, 1);
  }

  void controlsCreatedHookRunsBeforeTheHeaderRow() {
    bool ran = false;
    std::string cornerThen = "unset";
    TForm1 form([&](TForm1& built) {
      ran = true;
      cornerThen = built.Model().AdvStringGrid1.GetCellEx(0, 0);
      QVERIFY(built.findChild<QWidget*>("AdvStringGrid1") != nullptr);
    });
    QVERIFY(ran);
    QCOMPARE(cornerThen, std::string());
    QCOMPARE(form.Model().AdvStringGrid1.GetCellEx(0, 0), std::string("Bolts"));
  }
};

int main(int argc, char** argv) {
  arvelle::shell::Application application(argc, argv);
  arvelle::ui::InstallFonts();
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
