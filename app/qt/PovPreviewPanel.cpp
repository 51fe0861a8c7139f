#include "app/qt/PovPreviewPanel.h"

#include "app/qt/PovFindingsList.h"
#include "app/qt/RunInBackground.h"
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

#include <algorithm>
#include <iterator>

namespace plumex {

namespace {

// Long enough to let a drag or typing settle, short enough to feel live.
constexpr int DefaultPause = 400;
// Lines of status text before it is cut (the whole text is its tool tip).
constexpr int StatusLines = 4;
// The forms the panel's list offers, in its order; an array has no shape to show.
constexpr PovMode ShownForms[] = {PovMode::Prism, PovMode::Lathe, PovMode::ConicPrism,
                                  PovMode::SphereSweep, PovMode::Sor};

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
    form_->addItems({"Prism", "Lathe", "Conic Prism", "Sphere Sweep", "Surface of Revolution"});
    view_ = new QLabel(body);
    view_->setObjectName("PovPreviewPicture");
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
    // A long message of POV-Ray's must not make the dock, and so the window, taller.
    status_->setMaximumHeight(status_->fontMetrics().lineSpacing() * StatusLines);
    status_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    findings_ = new PovFindingsList(body);
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(form_);
    layout->addWidget(view_, 1);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addWidget(findings_);
    setWidget(body);

    pause_.setSingleShot(true);
    pause_.setInterval(DefaultPause);
    connect(&pause_, &QTimer::timeout, this, [this] { startRender(); });
    connect(&making_, &QFutureWatcherBase::finished, this, [this] {
        if (!making_.isCanceled() && making_.future().resultCount() > 0)
            sceneReady(making_.result());
    });
    connect(form_, &QComboBox::currentIndexChanged, this, [this](int index) {
        mode_ = index >= 0 && index < static_cast<int>(std::size(ShownForms)) ? ShownForms[index]
                                                                              : PovMode::Prism;
        documentChanged();
    });
    connect(findings_, &PovFindingsList::pathClicked, this, [this](int path) {
        const auto k = static_cast<std::size_t>(path - 1);
        if (path >= 1 && k < places_.size()) emit pathChosen(places_[k]);
    });
}

PovPreviewPanel::~PovPreviewPanel() {
    cancel();
}

void PovPreviewPanel::setMode(PovMode mode) {
    const auto* at = std::find(std::begin(ShownForms), std::end(ShownForms), mode);
    form_->setCurrentIndex(at == std::end(ShownForms) ? 0 : static_cast<int>(at - ShownForms));
}

QString PovPreviewPanel::message() const {
    QStringList lines = findings_->lines();
    if (!status_->text().isEmpty()) lines.prepend(status_->text());
    return lines.join("\n");
}

bool PovPreviewPanel::sameSource() const {
    if (!paths_ || mode_ != sceneMode_) return false;
    if (source_.options && !(source_.options() == state_)) return false;
    // The revision answers at once; without one the paths themselves are compared.
    if (source_.revision) return revision_ && source_.revision() == *revision_;
    const std::vector<TCvLine> now =
        source_.selection ? source_.selection() : std::vector<TCvLine>{};
    return now == *paths_;
}

bool PovPreviewPanel::upToDate() const {
    return settled_ && !resized_ && sameSource();
}

void PovPreviewPanel::documentChanged() {
    // A hidden panel has nothing to show; it renders when it is shown again.
    if (!isVisible()) {
        cancel();
        return;
    }
    // Zooming, scrolling or choosing a tool lands here too and leaves everything as it is.
    if (upToDate()) return;
    // An edit stops a running render, or the making of its scene, at once; a new size lets the
    // render finish until the new one starts.
    if (!sameSource()) cancel();
    pause_.start();
}

void PovPreviewPanel::cancel() {
    pause_.stop();
    making_.cancel();
    settled_ = false;
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
    if (upToDate()) return;
    // One snapshot for the scene and the findings: the worker threads read only these copies.
    revision_.reset();
    if (source_.revision) revision_ = source_.revision();
    paths_ = std::make_shared<const std::vector<TCvLine>>(
        source_.selection ? source_.selection() : std::vector<TCvLine>{});
    places_ = source_.places ? source_.places() : std::vector<int>{};
    state_ = source_.options ? source_.options() : PovDlgState{};
    sceneMode_ = mode_;
    settled_ = true;
    findings_->check(paths_, sceneMode_, state_, {});
    making_.cancel();
    making_.setFuture(runInBackground<Scene>([paths = paths_, mode = sceneMode_, state = state_] {
        Scene scene;
        scene.empty = PovPreviewObjects(*paths, mode, state).empty();
        if (!scene.empty) scene.text = PovPreviewScene(*paths, mode, state);
        return scene;
    }));
}

void PovPreviewPanel::sceneReady(Scene made) {
    if (!isVisible()) return;
    if (made.empty) {
        cancel();
        settled_ = true;
        scene_.clear();
        clearPicture();
        findings_->showFindings({});
        findings_->setNotes({});
        status_->setText("Select paths to see them as POV-Ray renders them.");
        return;
    }
    if (QStandardPaths::findExecutable(program_).isEmpty() && !QFile::exists(program_)) {
        cancel();
        settled_ = true;
        scene_.clear();
        clearPicture();
        findings_->setNotes({});
        status_->setText(PovRayInstallHint);
        return;
    }
    if (made.text == scene_ && !resized_ && (rendering() || finished_)) return;
    cancel();
    settled_ = true;
    scene_ = std::move(made.text);
    resized_ = false;
    finished_ = false;
    QFile scene(dir_.filePath("preview.pov"));
    if (!dir_.isValid() || !scene.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        failed("cannot write the scene to a temporary folder");
        return;
    }
    scene.write(QByteArray::fromStdString(scene_));
    scene.close();
    findings_->setNotes({});
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
        settled_ = true; // the same scene would not start either
        status_->setText(PovRayInstallHint);
    });
    progress_->setValue(0);
    progress_->setVisible(true);
    status_->setText(quick ? "Rendering a quick pass..." : "Rendering...");
    status_->setToolTip({});
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
    // A dropped object still gives a picture: POV-Ray's warnings say why it is missing.
    QStringList notes;
    for (const std::string& w : povrayWarnings(output)) notes << QString::fromStdString(w);
    findings_->setNotes(notes);
    status_->clear();
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
    const QString text = "POV-Ray failed: " + why;
    status_->setText(text);
    status_->setToolTip(text);
}

void PovPreviewPanel::clearPicture() {
    picture_ = QImage();
    view_->clear();
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
