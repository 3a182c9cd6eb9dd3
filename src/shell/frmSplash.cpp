#include "frmSplash.h"

#include "SplashKeyClaim.h"
#include "TarvaneArt.h"
#include "platform/ApplicationInfo.h"
#include "platform/widgets/ClickPanel.h"
#include "platform/widgets/Colours.h"
#include "platform/widgets/LineWidget.h"
#include "platform/widgets/Metrics.h"
#include "platform/widgets/ShapeWidget.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QWindow>

#include <chrono>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Metrics::uiFont;

namespace {
constexpr int Width = 480;
constexpr int Height = 316;
// The display follows the progress at about the rate a screen refreshes; painting every value would cost far
// more than the values themselves.
constexpr qint64 RepaintIntervalMs = 16;
} // namespace

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(u"frmSplash"_s);
    setWindowTitle(ApplicationInfo::Name);
    setWindowIcon(TarvaneArt::appIcon());
    setFixedSize(Width, Height);
    setFocusPolicy(Qt::StrongFocus);

    m_frame = new ClickPanel(this);
    m_frame->setObjectName(u"Frame1"_s);
    m_frame->setGeometry(8, 8, Width - 16, 248);
    Colours::paintBackground(m_frame, Colours::Olive);
    connect(m_frame, &ClickPanel::clicked, this, &frmSplash::requestClose);

    auto* logo = addLabel(m_frame, u"imgLogo"_s, QString(), {14, 18, 132, 132}, font());
    logo->setPixmap(TarvaneArt::logo(128));
    logo->setAlignment(Qt::AlignCenter);

    m_lblProductName = addLabel(m_frame, u"lblProductName"_s, QString(), {164, 14, 284, 60}, uiFont(30, true));
    addLabel(m_frame, u"lblPlatform"_s, u"Windows 9x"_s, {164, 80, 284, 28}, uiFont(15.75, true));
    m_lblVersion = addLabel(m_frame, u"lblVersion"_s, QString(), {164, 112, 284, 24}, uiFont(12, true));
    // Two bands of colour under the names and a rule above the maker's lines.
    auto* band = new ShapeWidget(ShapeWidget::Kind::Rectangle, QColor(128, 0, 0), m_frame);
    band->setObjectName(u"Shape1"_s);
    band->setGeometry(164, 144, 284, 7);
    band = new ShapeWidget(ShapeWidget::Kind::Rectangle, QColor(22, 38, 84), m_frame);
    band->setObjectName(u"Shape2"_s);
    band->setGeometry(164, 153, 200, 4);
    auto* rule = new LineWidget(QPoint(14, 170), QPoint(Width - 30, 170), 1, m_frame);
    rule->setObjectName(u"Line1"_s);
    addLabel(m_frame, u"lblCompany"_s, u"Tarvane Mission Software"_s, {14, 180, 434, 22}, uiFont(9.75, true));
    addLabel(m_frame, u"lblCopyright"_s, u"Copyright \u00a9 2001 Tarvane Mission Software.  All rights reserved."_s,
             {14, 204, 434, 18}, uiFont(8.25));
    addLabel(m_frame, u"lblWarning"_s, u"A launch clock for simulated space missions."_s, {14, 222, 434, 18},
             uiFont(8.25));

    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(u"ProgressBar1"_s);
    m_progressBar->setGeometry(8, 264, Width - 16, 18);
    m_progressBar->setRange(SplashSequence::Minimum, SplashSequence::Maximum);
    m_progressBar->setValue(SplashSequence::Minimum);
    m_progressBar->setTextVisible(false);

    m_lblLoadingData =
        addLabel(this, u"lblLoadingData"_s, u"Loading data . . ."_s, {8, 288, Width - 16, 20}, uiFont(8.25));

    m_tmrSplash.setObjectName(u"tmrSplash"_s);
    m_tmrSplash.setSingleShot(true);
    m_tmrSplash.setInterval(5500ms);
    connect(&m_tmrSplash, &QTimer::timeout, this, &frmSplash::tmrSplash_Timer);

    m_keyClaim = new SplashKeyClaim(*this, [this] { requestClose(); });

    Form_Load();
}

QLabel* frmSplash::addLabel(QWidget* parent, const QString& name, const QString& text, QRect box, const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(box);
    label->setFont(font);
    // The frame's labels are part of it: a click on one is a click on the frame.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void frmSplash::Form_Load()
{
    m_lblVersion->setText(u"Version "_s + QStringLiteral(TARVANE_VERSION_STRING));
    m_lblProductName->setText(ApplicationInfo::Name);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_tmrSplash.start();
}

void frmSplash::showOnScreen()
{
    show();
    m_keyClaim->install();
    // Hands the window to the window system without waiting for it: the window manager maps it while the main
    // window is being built, and paintOnce() paints it after.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmSplash::paintOnce()
{
    // One pass over what the window system has sent by now (its exposure, normally), never a wait for more.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!m_painted && windowHandle() && windowHandle()->isExposed())
        repaint();
}

void frmSplash::paintEvent(QPaintEvent* event)
{
    m_painted = true;
    QWidget::paintEvent(event);
}

void frmSplash::runProgress()
{
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    // The bar repaints itself at once on most value changes; it is held still between the repaints here.
    m_progressBar->setUpdatesEnabled(false);
    auto repaintIfDue = [&](bool force) {
        if (!force && sinceRepaint.elapsed() < RepaintIntervalMs)
            return;
        m_progressBar->setUpdatesEnabled(true);
        m_progressBar->repaint(); // paints the stage label's changes with it
        m_progressBar->setUpdatesEnabled(false);
        sinceRepaint.restart();
    };
    m_lblLoadingData->setText(SplashSequence::stageText(SplashSequence::Stage::Initializing));
    for (const SplashSequence::Step& step : SplashSequence::steps()) {
        showStep(step);
        repaintIfDue(false);
    }
    repaintIfDue(true);
    m_progressBar->setUpdatesEnabled(true);
    m_progressBar->hide();
    repaint(m_progressBar->geometry());
}

void frmSplash::showStep(const SplashSequence::Step& step)
{
    m_progressBar->setValue(step.value);
    if (step.stage == SplashSequence::Stage::Initializing)
        return;
    if (step.stage == SplashSequence::Stage::Finishing) {
        if (m_lblLoadingData->isVisible())
            m_lblLoadingData->hide();
        return;
    }
    const QString text = SplashSequence::stageText(step.stage);
    if (m_lblLoadingData->text() != text)
        m_lblLoadingData->setText(text);
}

void frmSplash::mainWindowShown()
{
    m_mainWindowShown = true;
    // The main window's own filters (its Esc, say) came after the splash's; the splash goes first again.
    if (isVisible())
        m_keyClaim->install();
    if (m_closeRequested)
        close();
}

void frmSplash::tmrSplash_Timer()
{
    requestClose();
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    requestClose();
}

void frmSplash::closeEvent(QCloseEvent* event)
{
    m_keyClaim->releaseWhenKeysUp();
    QWidget::closeEvent(event);
}

void frmSplash::requestClose()
{
    m_tmrSplash.stop();
    m_closeRequested = true;
    if (m_mainWindowShown)
        close();
}
