#include "shell/frmSplash.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QTimer>

#include "shell/ProgramArt.h"
#include "shell/SplashTick.h"
#include "shell/VersionInfo.h"
#include "shell/frmMain.h"
#include "store/HomeDirectory.h"
#include "ui/Controls.h"
#include "ui/QtText.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"

namespace {

// The classic Windows desktop colour, for the product lines; the background is always
// white, so the texts get fixed colours rather than the theme's.
const QColor kDesktopColour(0x3A, 0x6E, 0xA5);

QLabel* MakeSplashLabel(QWidget* parent, const char* name, const QFont& font, const QColor& colour,
                        const QString& spoken) {
  QLabel* label = MakeLabel(parent, name, QString(), spoken, font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  // A click on a label or on the logo does not count as a click on the frame.
  label->setAttribute(Qt::WA_NoMousePropagation);
  return label;
}

// Sets the text of a label that sizes itself to its text; a right-aligned one keeps
// its right edge where its twips put it.
void SetAutoSizedText(QLabel* label, const QString& text) {
  const QRect place = label->geometry();
  label->setText(text);
  if (!text.isEmpty()) label->setAccessibleName(text);
  label->adjustSize();
  label->resize(label->width(), std::max(label->height(), place.height()));
  if (label->alignment() & Qt::AlignRight) label->move(place.right() + 1 - label->width(), place.top());
}

}  // namespace

frmSplash* frmSplash::Start(AppContext& app, HomeReader readHome) {
  if (!readHome) readHome = [] { return ReadHomeDirectory(); };
  auto* splash = new frmSplash(app, std::move(readHome));
  splash->show();
  CentreOnScreen(splash);
  splash->activateWindow();  // so that a key press reaches it
  return splash;
}

frmSplash::frmSplash(AppContext& app, HomeReader readHome)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), app_(app), readHome_(std::move(readHome)) {
  setObjectName("frmSplash");
  setWindowTitle(QString());
  setAccessibleName("Reminder is starting");
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(TwipsSize(6645, 2640));
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  setPalette(white);
  setAutoFillBackground(true);

  BuildControls();
  BuildLabels();
  Form_Load();
}

void frmSplash::BuildControls() {
  Frame1_ = new QFrame(this);
  Frame1_->setObjectName("Frame1");
  Frame1_->setAccessibleName("Reminder");
  Frame1_->setFrameStyle(QFrame::Box | QFrame::Plain);
  Frame1_->setAutoFillBackground(true);
  PlaceInTwips(Frame1_, 0, 0, 6600, 2595);
  Frame1_->installEventFilter(this);

  imgLogo_ = MakeSplashLabel(Frame1_, "imgLogo", font(), Qt::black, "Reminder logo");
  imgLogo_->setPixmap(ProgramLogo());
  imgLogo_->setScaledContents(true);
  PlaceInTwips(imgLogo_, 120, 240, 1695, 2175);

  Timer1_ = new QTimer(this);
  Timer1_->setObjectName("Timer1");
  Timer1_->setInterval(1000);
  Timer1_->setProperty("Tag", QStringLiteral("1"));
  connect(Timer1_, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
  Timer1_->start();
}

void frmSplash::BuildLabels() {
  lblCompanyProduct_ =
      MakeSplashLabel(Frame1_, "lblCompanyProduct", PointFont("Tahoma", 18, true), kDesktopColour, "Product");
  PlaceInTwips(lblCompanyProduct_, 1920, 360, 3090, 435);
  lblProductName_ =
      MakeSplashLabel(Frame1_, "lblProductName", PointFont("Tahoma", 32.25, true), kDesktopColour, "Title");
  PlaceInTwips(lblProductName_, 2160, 840, 2550, 780);
  lblPlatform_ = MakeSplashLabel(Frame1_, "lblPlatform", PointFont("Arial", 15.75, true), Qt::black, "Trademarks");
  lblPlatform_->setAlignment(Qt::AlignRight | Qt::AlignTop);
  PlaceInTwips(lblPlatform_, 5160, 1440, 1275, 360);
  lblVersion_ = MakeSplashLabel(Frame1_, "lblVersion", PointFont("Arial", 12, true), Qt::black, "Version");
  lblVersion_->setAlignment(Qt::AlignRight | Qt::AlignTop);
  PlaceInTwips(lblVersion_, 5520, 1920, 885, 285);
  lblCopyright_ = MakeSplashLabel(Frame1_, "lblCopyright", PointFont("Arial", 8.25), Qt::black, "Copyright");
  PlaceInTwips(lblCopyright_, 4080, 2280, 2415, 255);
}

void frmSplash::Form_Load() {
  SetAutoSizedText(lblVersion_, ProgramVersionCaption());
  SetAutoSizedText(lblProductName_, kProgramTitle);
  SetAutoSizedText(lblCompanyProduct_, kProductName);
  SetAutoSizedText(lblPlatform_, kLegalTrademarks);
  lblCopyright_->setText(kLegalCopyright);
}

void frmSplash::Timer1_Timer() {
  const SplashTickResult tick = SplashTick(Timer1_->property("Tag").toString().toStdString());
  Timer1_->setProperty("Tag", QString::fromStdString(tick.count));
  if (tick.close) close();
}

void frmSplash::keyPressEvent(QKeyEvent*) { Form_KeyPress(); }

void frmSplash::Form_KeyPress() { close(); }

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Frame1_ && event->type() == QEvent::MouseButtonRelease) Frame1_Click();
  return QWidget::eventFilter(watched, event);
}

void frmSplash::Frame1_Click() { close(); }

void frmSplash::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmSplash::Form_Unload() {
  if (unloaded_) return;  // the main window is shown once, however the splash closed
  unloaded_ = true;
  Timer1_->stop();
  const Status home = readHome_();
  if (!home.ok()) app_.services.messages.Show(this, {FromUtf8(home.text()), kProgramTitle});
  frmMain::Open(app_);
}
