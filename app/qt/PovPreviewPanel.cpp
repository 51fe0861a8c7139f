#include "app/qt/PovPreviewPanel.h"

#include "export/PovCheck.h"
#include "export/PovPreview.h"
#include "export/PovRayInvocation.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace plumex {

namespace {

// Long enough to let a drag or typing settle, short enough to feel live.
constexpr int DefaultPause = 400;

QStringList toQt(const std::vector<std::string>& words) {
    QStringList out;
    for (const std::string& w : words) out << QString::fromStdString(w);
    return out;
}

} // namespace

PovPreviewPanel::PovPreviewPanel(QWidget* parent) : QDockWidget("POV-Ray Preview", parent) {
    setObjectName("PovPreviewPanel");
    auto* body = new QWidget(this);
    form_ = new QComboBox(body);
    form_->addItems({"Prism", "Lathe"});
    view_ = new QLabel(body);
    view_->setAlignment(Qt::AlignCenter);
    view_->setMinimumSize(120, 90);
    view_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    progress_ = new QProgressBar(body);
    progress_->setRange(0, 100);
    progress_->setVisible(false);
    // Its room stays when it hides, so the picture keeps the size it was rendered at.
    QSizePolicy keep = progress_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    progress_->setSizePolicy(keep);
    status_ = new QLabel(body);
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(form_);
    layout->addWidget(view_, 1);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    setWidget(body);

    pause_.setSingleShot(true);
    pause_.setInterval(DefaultPause);
    connect(&pause_, &QTimer::timeout, this, [this] { startRender(); });
    connect(form_, &QComboBox::currentIndexChanged, this, [this](int index) {
        mode_ = index == 1 ? PovMode::Lathe : PovMode::Prism;
        documentChanged();
    });
}

PovPreviewPanel::~PovPreviewPanel() {
    cancel();
}

void PovPreviewPanel::setSource(std::function<std::vector<TCvLine>()> selection,
                                std::function<PovDlgState()> options) {
    selection_ = std::move(selection);
    options_ = std::move(options);
}

void PovPreviewPanel::setMode(PovMode mode) {
    form_->setCurrentIndex(mode == PovMode::Lathe ? 1 : 0);
}

QString PovPreviewPanel::message() const {
    return status_->text();
}

void PovPreviewPanel::documentChanged() {
    // A hidden panel has nothing to show; it renders when it is shown again.
    if (!isVisible()) {
        cancel();
        return;
    }
    // Zooming, scrolling or choosing a tool lands here too and leaves a render running; an edit
    // stops it at once. Whether the scene changed is decided again when the pause ends.
    if (rendering() && (mode_ != sceneMode_ || (selection_ && selection_() != paths_) ||
                        (options_ && !(options_() == state_))))
        cancel();
    pause_.start();
}

void PovPreviewPanel::cancel() {
    pause_.stop();
    if (!process_) return;
    QProcess* p = process_;
    process_ = nullptr;
    p->disconnect(this);
    p->kill();
    p->waitForFinished(1000); // kill is immediate; this only reaps it
    p->deleteLater();
    finished_ = false;
    progress_->setVisible(false);
    emit renderCancelled();
}

PovRayJob PovPreviewPanel::pass(bool quick) const {
    // The picture area in device pixels, so a high-density screen gets a sharp picture.
    const qreal ratio = view_->devicePixelRatioF();
    const QSize area =
        (QSizeF(view_->size()) * ratio).toSize().expandedTo({32, 24}).boundedTo({4096, 4096});
    const std::vector<PovRayJob> passes = povrayPreviewPasses(area.width(), area.height());
    return quick ? passes.front() : passes.back();
}

void PovPreviewPanel::startRender() {
    paths_ = selection_ ? selection_() : std::vector<TCvLine>{};
    state_ = options_ ? options_() : PovDlgState{};
    if (PovPreviewObjects(paths_, mode_, state_).empty()) {
        cancel();
        scene_.clear();
        status_->setText("Select paths to see them as POV-Ray renders them.");
        return;
    }
    if (QStandardPaths::findExecutable(program_).isEmpty() && !QFile::exists(program_)) {
        cancel();
        scene_.clear();
        status_->setText(PovRayInstallHint);
        return;
    }
    std::string text = PovPreviewScene(paths_, mode_, state_);
    if (text == scene_ && !resized_ && (rendering() || finished_)) return;
    cancel();
    scene_ = std::move(text);
    sceneMode_ = mode_;
    resized_ = false;
    finished_ = false;
    QFile scene(dir_.filePath("preview.pov"));
    if (!dir_.isValid() || !scene.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        failed("cannot write the scene to a temporary folder");
        return;
    }
    scene.write(QByteArray::fromStdString(scene_));
    scene.close();
    startPass(true);
}

void PovPreviewPanel::startPass(bool quick) {
    quick_ = quick;
    output_.clear();
    PovRayJob job = pass(quick);
    job.sceneFile = dir_.filePath("preview.pov").toStdString();
    job.imageFile = dir_.filePath(quick ? "quick.png" : "full.png").toStdString();
    QFile::remove(QString::fromStdString(job.imageFile));
    process_ = new QProcess(this);
    process_->setWorkingDirectory(dir_.path());
    process_->setProcessChannelMode(QProcess::MergedChannels);
    connect(process_, &QProcess::readyReadStandardOutput, this, [this] {
        const QString chunk = QString::fromLocal8Bit(process_->readAllStandardOutput());
        output_ += chunk;
        const int percent = povrayProgress(chunk.toStdString());
        if (percent >= 0) progress_->setValue(percent);
    });
    connect(process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        passFinished(code, status == QProcess::CrashExit);
    });
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        cancel();
        status_->setText(PovRayInstallHint);
    });
    progress_->setValue(0);
    progress_->setVisible(true);
    status_->setText(quick ? "Rendering a quick pass..." : "Rendering...");
    emit renderStarted(quick);
    process_->start(program_, toQt(povrayArguments(job)));
}

void PovPreviewPanel::passFinished(int exitCode, bool crashed) {
    QProcess* p = process_;
    process_ = nullptr;
    p->deleteLater();
    output_ += QString::fromLocal8Bit(p->readAll());
    progress_->setVisible(false);
    const std::string output = output_.toStdString();
    QString why = QString::fromStdString(povrayFailure(output));
    if (why.isEmpty() && (crashed || exitCode != 0))
        why = "POV-Ray stopped with exit code " + QString::number(exitCode);
    const QImage image(dir_.filePath(quick_ ? "quick.png" : "full.png"));
    if (why.isEmpty() && image.isNull()) why = "POV-Ray wrote no picture";
    if (!why.isEmpty()) {
        finished_ = true; // the same scene would fail again
        failed(why);
        emit renderFinished(false, quick_);
        return;
    }
    picture_ = image;
    showPicture();
    // A dropped object still gives a picture: say why it is missing.
    QStringList notes;
    for (const std::string& w : povrayWarnings(output)) notes << QString::fromStdString(w);
    if (!notes.isEmpty()) notes << findingLines();
    status_->setText(notes.join("\n"));
    const bool wasQuick = quick_;
    finished_ = !wasQuick;
    emit renderFinished(true, wasQuick);
    if (wasQuick && !process_) startPass(false);
}

bool PovPreviewPanel::fitsPanel() const {
    const PovRayJob full = pass(false);
    return picture_.size() == QSize(full.width, full.height);
}

void PovPreviewPanel::failed(const QString& why) {
    status_->setText((QStringList{"POV-Ray failed: " + why} + findingLines()).join("\n"));
}

QStringList PovPreviewPanel::findingLines() const {
    QStringList lines;
    for (const PovFinding& f : PovCheck(paths_, sceneMode_, state_, {}))
        lines << QString::fromUtf8(severityName(f.severity)) + ": " +
                     QString::fromStdString(describeFinding(f));
    return lines;
}

void PovPreviewPanel::showPicture() {
    if (picture_.isNull()) return;
    const qreal ratio = view_->devicePixelRatioF();
    QPixmap shown = QPixmap::fromImage(picture_).scaled(
        (QSizeF(view_->size()) * ratio).toSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    shown.setDevicePixelRatio(ratio);
    view_->setPixmap(shown);
}

void PovPreviewPanel::resizeEvent(QResizeEvent* event) {
    QDockWidget::resizeEvent(event);
    showPicture();
    // A new size deserves a picture of that size.
    if (!picture_.isNull() && !fitsPanel()) {
        resized_ = true;
        documentChanged();
    }
}

void PovPreviewPanel::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    documentChanged();
}

} // namespace plumex
