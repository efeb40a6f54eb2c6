#include "ui/main/main_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>

#include "ui/main/error_report.h"
#include "ui/main/fonts.h"
#include "ui/main/grid_table_model.h"
#include "ui/main/pictures.h"
#include "ui/main/toolkit_settings.h"
#include "ui_main_window.h"

namespace arvelle::ui {

namespace {

constexpr QSize kGlyphSize(24, 24);
constexpr QSize kForceSchemeBox(194, 170);
constexpr int kCreditLinePixels = 13;

void SetBase(QWidget* field, const QColor& colour) {
  QPalette palette = field->palette();
  palette.setColor(QPalette::Active, QPalette::Base, colour);
  palette.setColor(QPalette::Inactive, QPalette::Base, colour);
  field->setPalette(palette);
}

void SetGlyph(QAbstractButton* button, const QString& resource) {
  button->setIcon(QIcon(RenderPicture(resource, kGlyphSize)));
  button->setIconSize(kGlyphSize);
}

std::string Text(const QLineEdit* field) { return field->text().toStdString(); }

}  // namespace

TForm1::TForm1(ControlsCreatedHook afterControlsCreated, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TForm1>()),
      tableModel_(std::make_unique<GridTableModel>(model_.AdvStringGrid1, 1, 1)),
      sumRowModel_(std::make_unique<GridTableModel>(model_.AdvStringGrid2, 0, 1)),
      saveDialog1_(nullptr),
      afterControlsCreated_(std::move(afterControlsCreated)) {
  // The font comes first: every control inherits it when it is built.
  setFont(TahomaFont());
  ui_->setupUi(this);
  SetUpLook();

  ui_->AdvStringGrid1->SetGridModel(tableModel_.get(), true);
  ui_->AdvStringGrid2->SetGridModel(sumRowModel_.get(), false);
  // Each up-down writes its starting position, which gives the fields "4" and "0".
  ui_->UpDown1->SetAssociate(ui_->n_Edit);
  ui_->UpDown2->SetAssociate(ui_->alpha_Edit);

  KeepToolkitSettingsOffDisk();
  saveDialog1_ = new QFileDialog(this);
  saveDialog1_->setObjectName(QStringLiteral("SaveDialog1"));
  saveDialog1_->setAcceptMode(QFileDialog::AcceptSave);
  saveDialog1_->setFileMode(QFileDialog::AnyFile);
  saveDialog1_->setOption(QFileDialog::DontConfirmOverwrite);
  saveDialog1_->setNameFilter(QStringLiteral("Excel file (*.xls)"));
  saveDialog1_->setDefaultSuffix(QStringLiteral("xls"));

  const auto wire = [this](QPushButton* button, void (TForm1::*handler)()) {
    connect(button, &QPushButton::clicked, this,
            [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
  };
  wire(ui_->BitBtn1, &TForm1::BitBtn1Click);
  wire(ui_->BitBtn2, &TForm1::BitBtn2Click);
  wire(ui_->BitBtn3, &TForm1::BitBtn3Click);
  wire(ui_->Save_BitBtn, &TForm1::Save_BitBtnClick);

  AfterControlsCreated();
  FormCreate();
  ui_->AdvStringGrid1->setFocus();
}

TForm1::~TForm1() = default;

void TForm1::SetUpLook() {
  setFixedSize(size());
  setWindowIcon(ApplicationIcon());

  // The window and one field take system colours, which the layout data cannot name.
  QPalette window = palette();
  window.setColor(QPalette::Window, window.color(QPalette::Button));
  setPalette(window);
  setAutoFillBackground(true);
  SetBase(ui_->alpha_Edit, QApplication::palette("QMenu").color(QPalette::Window));

  ui_->Label7->setFont(TahomaFont(kCreditLinePixels));
  QPalette grey = ui_->Label7->palette();
  grey.setColor(QPalette::WindowText, Qt::gray);
  ui_->Label7->setPalette(grey);

  ui_->Image1->setPixmap(
      RenderPicture(QStringLiteral(":/pictures/force_scheme.svg"), kForceSchemeBox));
  ui_->Image2->setPixmap(RenderPicture(QStringLiteral(":/pictures/base_plate.svg")));

  SetGlyph(ui_->BitBtn1, QStringLiteral(":/glyphs/house.svg"));
  SetGlyph(ui_->BitBtn2, QStringLiteral(":/glyphs/engineer.svg"));
  SetGlyph(ui_->BitBtn3, QStringLiteral(":/glyphs/exit_cross.svg"));
  SetGlyph(ui_->Save_BitBtn, QStringLiteral(":/glyphs/floppy.svg"));
}

QWidget* TForm1::Chart1() const { return ui_->Chart1; }

void TForm1::SetChart(QWidget* chart) {
  QWidget* placeholder = ui_->Chart1;
  chart->setParent(this);
  chart->setObjectName(placeholder->objectName());
  chart->setGeometry(placeholder->geometry());
  chart->setEnabled(false);
  chart->setFocusPolicy(Qt::NoFocus);
  chart->show();
  chart->raise();
  ui_->Chart1 = chart;
  delete placeholder;
}

void TForm1::AfterControlsCreated() {
  if (afterControlsCreated_) afterControlsCreated_(*this);
}

void TForm1::FormCreate() {
  model_.FormCreate();
  tableModel_->Flush();
}

void TForm1::BitBtn1Click() {
  if (aboutHandler_) aboutHandler_();
}

void TForm1::BitBtn2Click() {
  InputTexts& inputs = model_.inputs;
  inputs.D_Edit = Text(ui_->D_Edit);
  inputs.alpha_Edit = Text(ui_->alpha_Edit);
  inputs.n_Edit = Text(ui_->n_Edit);
  inputs.Nforce_Edit = Text(ui_->Nforce_Edit);
  inputs.Mx_Edit = Text(ui_->Mx_Edit);
  inputs.My_Edit = Text(ui_->My_Edit);
  // A run that stops keeps what it wrote, so the window shows that too before the
  // failure goes on to the error report.
  try {
    model_.BitBtn2Click();
  } catch (...) {
    ShowResults();
    throw;
  }
  ShowResults();
}

void TForm1::ShowResults() {
  ui_->Edit1->setText(QString::fromStdString(model_.Edit1));
  ui_->Edit2->setText(QString::fromStdString(model_.Edit2));
  tableModel_->Flush();
  sumRowModel_->Flush();
}

void TForm1::BitBtn3Click() {
  QMessageBox question(QMessageBox::Question, QStringLiteral("Confirm"), QStringLiteral("Exit?"),
                       QMessageBox::Yes | QMessageBox::No, this);
  question.setDefaultButton(QMessageBox::Yes);
  if (question.exec() == QMessageBox::Yes) close();
}

void TForm1::Save_BitBtnClick() {
  if (saveDialog1_->exec() != QDialog::Accepted) return;
  const QStringList chosen = saveDialog1_->selectedFiles();
  if (chosen.isEmpty()) return;
  // Offered again by the next "Save".
  saveDialog1_->selectFile(chosen.first());
  if (exportHandler_) exportHandler_(chosen.first());
}

void TForm1::showEvent(QShowEvent* event) {
  if (!shownBefore_ && !event->spontaneous()) {
    shownBefore_ = true;
    if (const QScreen* screen = this->screen()) {
      // The whole window, frame included, as far as the frame is known before it shows.
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
  QWidget::showEvent(event);
}

}  // namespace arvelle::ui
