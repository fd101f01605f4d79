#include "shell/frmAbout.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "shell/DocumentationFolder.h"
#include "shell/ProgramArt.h"
#include "shell/SysInfo.h"
#include "shell/VersionInfo.h"
#include "ui/Controls.h"
#include "ui/QtText.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"

namespace {

const char kDisclaimer[] =
    "Reminder alerts you only while it runs, in the very second a reminder is due. "
    "Do not rely on it alone for what must not be missed.";

// Where the documentation of this installation is.
QString DocumentationPath() {
  const std::filesystem::path program(QCoreApplication::applicationDirPath().toStdU16String());
  return QDir::toNativeSeparators(FromStd(DocumentationFolder(program).u16string()));
}

}  // namespace

void frmAbout::ShowFor(AppContext& app) {
  ShowOnce(
      app.about, [&app] { return new frmAbout(app); },
      [](frmAbout* window) {
        window->show();
        return true;
      });
}

frmAbout::frmAbout(AppContext& app) : QWidget(nullptr), app_(app) {
  SetUpWindow(this, "frmAbout", {}, {});
  FixWindowSize(this, Qt::Dialog, TwipsSize(5715, 2295));
  BuildControls();
  SetTabOrder();
  Form_Load();
}

void frmAbout::BuildControls() {
  picIcon_ = MakeLabel(this, "picIcon", QString(), "Reminder icon", font());
  picIcon_->setPixmap(ProgramIcon().pixmap(32, 32));
  picIcon_->setAlignment(Qt::AlignCenter);
  PlaceInTwips(picIcon_, 240, 240, 540, 540);

  // The title and the disclaimer keep the theme's text colour: fixed black would vanish
  // on a dark theme's background.
  lblTitle_ = MakeLabel(this, "lblTitle", QString(), "Title", PointFont("Tahoma", 12));
  lblTitle_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  PlaceInTwips(lblTitle_, 1050, 240, 3885, 480);
  lblVersion_ = MakeLabel(this, "lblVersion", QString(), "Version", PointFont("Tahoma", 9.75));
  lblVersion_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  PlaceInTwips(lblVersion_, 1050, 780, 3885, 225);
  lblDisclaimer_ = MakeLabel(this, "lblDisclaimer", kDisclaimer, kDisclaimer, PointFont("Tahoma", 8.25));
  lblDisclaimer_->setWordWrap(true);
  lblDisclaimer_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceInTwips(lblDisclaimer_, 240, 1200, 3870, 825);

  QFont contactFont = PointFont("Verdana", 8.25);
  contactFont.setUnderline(true);
  const QString folder = DocumentationPath();
  const QString contact = QStringLiteral("Documentation: ") + folder;
  Label1_ = MakeLabel(this, "Label1", contact, contact, contactFont);
  Label1_->setToolTip(contact);
  QPalette blue = Label1_->palette();
  blue.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
  Label1_->setPalette(blue);
  Label1_->setCursor(Qt::PointingHandCursor);
  PlaceInTwips(Label1_, 240, 2040, 3975, 255);
  // Too long a line shows the folder alone, and a folder too long for the line loses
  // its middle rather than its end.
  if (Label1_->fontMetrics().horizontalAdvance(contact) > Label1_->width())
    Label1_->setText(Label1_->fontMetrics().elidedText(folder, Qt::ElideMiddle, Label1_->width()));

  cmdOK_ = MakeButton(this, "cmdOK", "OK", "OK", PointFont("Verdana", 6.75));
  PlaceInTwips(cmdOK_, 4440, 1440, 1260, 345);
  cmdSysInfo_ = MakeButton(this, "cmdSysInfo", "&System Info...", "System Info", PointFont("Verdana", 6.75));
  PlaceInTwips(cmdSysInfo_, 4440, 1920, 1245, 345);
  connect(cmdOK_, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::SetTabOrder() { setTabOrder(cmdOK_, cmdSysInfo_); }

void frmAbout::Form_Load() {
  setWindowTitle("About " + kProgramTitle);
  setAccessibleName(windowTitle());
  lblVersion_->setText(ProgramVersionCaption());
  lblVersion_->setAccessibleName(lblVersion_->text());
  // Down to the stand-in font's full height, where it is taller than designed.
  lblVersion_->resize(lblVersion_->width(), std::max(lblVersion_->height(), lblVersion_->sizeHint().height()));
  lblTitle_->setText(kProgramTitle);
  lblTitle_->setAccessibleName(kProgramTitle);
  cmdOK_->setFocus();
}

// OK is both the default and the cancel button: Enter and Esc press it, except that
// Enter presses another button that has the focus.
void frmAbout::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      cmdOK_->click();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (auto* focused = qobject_cast<QPushButton*>(focusWidget()))
        focused->click();
      else
        cmdOK_->click();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void frmAbout::cmdOK_Click() { close(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() {
  if (std::optional<std::u16string> tool = SysInfoToolPath(*app_.services.registry, *app_.services.fileCheck)) {
    if (!app_.services.launcher.Open(FromStd(*tool))) return;
  }
  app_.services.messages.Show(this, {kSysInfoUnavailable, kProgramTitle});
}
