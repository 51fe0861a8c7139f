#include "trace/qt/TTraceDlg.h"

#include "app/LanguageKeys.h"
#include "app/Languages.h"
#include "canvas/Window.h"
#include "commands/ImportPaths.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cstdio>
#include <optional>

namespace plumex {
namespace {

// The preview traces at most this many pixels along the longer side, so it keeps up with
// the fields on any picture.
constexpr int PreviewSide = 800;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QImage toQImage(const RasterImage& image) {
    QImage q(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(q.scanLine(y));
        for (int x = 0; x < image.width; ++x) {
            const Color c = image.at(x, y);
            const bool clear = image.transparent && c == *image.transparent;
            row[x] = clear ? qRgb(255, 255, 255) : qRgb(redOf(c), greenOf(c), blueOf(c));
        }
    }
    return q;
}

} // namespace

// The picture, fitted into the widget, with the outlines over it.
class TracePreview : public QWidget {
public:
    TracePreview(QWidget* parent, QImage picture, TracePlacement placement)
        : QWidget(parent), picture_(std::move(picture)), placement_(placement) {
        setMinimumSize(360, 300);
    }
    void setPaths(std::vector<TCvLine> paths) {
        paths_ = std::move(paths);
        update();
    }
    const std::vector<TCvLine>& paths() const { return paths_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        if (picture_.isNull()) return;
        const double k =
            std::min(double(width()) / picture_.width(), double(height()) / picture_.height());
        const QRectF target((width() - picture_.width() * k) / 2,
                            (height() - picture_.height() * k) / 2, picture_.width() * k,
                            picture_.height() * k);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, picture_);
        // Drawing units to picture pixels to the widget.
        const auto map = [&](TCvCoord c) {
            return QPointF(target.left() + (c.x - placement_.position.x) / placement_.factor * k,
                           target.top() + (placement_.position.y - c.y) / placement_.factor * k);
        };
        QPainterPath outline;
        outline.setFillRule(Qt::OddEvenFill);
        for (const TCvLine& l : paths_) {
            if (l.points.empty()) continue;
            outline.moveTo(map(l.points[0].anchor));
            for (int i = 0; i < l.segmentCount(); ++i) {
                const Segment s = l.segment(i);
                outline.cubicTo(map(s.h1), map(s.h2), map(s.b));
            }
            outline.closeSubpath();
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(outline, QColor(0, 90, 255, 70));
        p.setPen(QPen(QColor(230, 0, 0), 1.2));
        p.drawPath(outline);
    }

private:
    QImage picture_;
    TracePlacement placement_;
    std::vector<TCvLine> paths_;
};

TTraceDlg::TTraceDlg(QWidget* parent, const DraftPicture& draft)
    : QDialog(parent), placement_{draft.position, draft.factor} {
    setWindowTitle(qs(caption(D_TraceDraft)));
    reducedPlacement_ = placement_;
    reduced_ = std::make_shared<const RasterImage>(
        reducedPicture(draft.image, PreviewSide, reducedPlacement_));
    preview_ = new TracePreview(this, toQImage(*reduced_), placement_);

    const TraceOptions d;
    threshold = new QSpinBox(this);
    threshold->setRange(0, 255);
    threshold->setValue(d.threshold);
    invert = new QCheckBox(qs(caption(C_TraceInvert)), this);
    colourMode = new QCheckBox(this);
    levels = new QSpinBox(this);
    levels->setRange(2, MaxTraceLevels);
    levels->setValue(4);
    levels->setEnabled(false);
    turd = new QSpinBox(this);
    turd->setRange(0, 100000);
    turd->setValue(d.turdSize);
    alphamax = new QDoubleSpinBox(this);
    alphamax->setRange(0, MaxAlphamax);
    alphamax->setSingleStep(0.05);
    alphamax->setValue(d.alphamax);
    optimize = new QCheckBox(this);
    optimize->setChecked(d.optimize);
    tolerance = new QDoubleSpinBox(this);
    tolerance->setRange(0, 10);
    tolerance->setSingleStep(0.05);
    tolerance->setValue(d.tolerance);
    summary = new QLabel(this);

    auto* form = new QFormLayout;
    auto* thresholdRow = new QHBoxLayout;
    thresholdRow->addWidget(threshold);
    thresholdRow->addWidget(invert);
    form->addRow(qs(caption(C_TraceThreshold)), thresholdRow);
    auto* levelsRow = new QHBoxLayout;
    levelsRow->addWidget(colourMode);
    levelsRow->addWidget(levels, 1);
    form->addRow(qs(caption(C_TraceLevels)), levelsRow);
    form->addRow(qs(caption(C_TraceTurd)), turd);
    form->addRow(qs(caption(C_TraceAlphamax)), alphamax);
    auto* optimizeRow = new QHBoxLayout;
    optimizeRow->addWidget(optimize);
    optimizeRow->addWidget(tolerance, 1);
    form->addRow(qs(caption(C_TraceOptimize)), optimizeRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(qs(caption(C_Ok)));
    buttons->button(QDialogButtonBox::Cancel)->setText(qs(caption(C_Cancel)));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(preview_, 1);
    layout->addWidget(summary);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // Results arrive on the worker thread and are handed to this dialog's thread.
    worker_ = std::make_unique<TraceWorker>([this](std::uint64_t job, TraceResult result) {
        QMetaObject::invokeMethod(
            this, [this, job, r = std::move(result)] { previewDone(job, r); },
            Qt::QueuedConnection);
    });
    const auto changed = [this] { restartPreview(); };
    connect(threshold, &QSpinBox::valueChanged, this, changed);
    connect(invert, &QCheckBox::toggled, this, changed);
    connect(colourMode, &QCheckBox::toggled, this, [this](bool on) {
        levels->setEnabled(on);
        threshold->setEnabled(!on);
        restartPreview();
    });
    connect(levels, &QSpinBox::valueChanged, this, changed);
    connect(turd, &QSpinBox::valueChanged, this, changed);
    connect(alphamax, &QDoubleSpinBox::valueChanged, this, changed);
    connect(optimize, &QCheckBox::toggled, this, [this](bool on) {
        tolerance->setEnabled(on);
        restartPreview();
    });
    connect(tolerance, &QDoubleSpinBox::valueChanged, this, changed);
    restartPreview();
}

// The worker goes first: its thread may still be handing a result to this dialog.
TTraceDlg::~TTraceDlg() {
    worker_.reset();
}

TraceOptions TTraceDlg::options() const {
    TraceOptions o;
    o.threshold = threshold->value();
    o.invert = invert->isChecked();
    o.levels = colourMode->isChecked() ? levels->value() : 0;
    o.turdSize = turd->value();
    o.alphamax = alphamax->value();
    o.optimize = optimize->isChecked();
    o.tolerance = tolerance->value();
    return o;
}

const std::vector<TCvLine>& TTraceDlg::previewPaths() const {
    return preview_->paths();
}

void TTraceDlg::restartPreview() {
    TraceOptions o = options();
    // Speckle size is an area: shrink it with the preview's pixels.
    const double k = reducedPlacement_.factor / placement_.factor;
    o.turdSize = static_cast<int>(o.turdSize / (k * k));
    summary->setText(qs(caption(C_TraceTracing)));
    running_ = worker_->start({reduced_, o, reducedPlacement_});
}

void TTraceDlg::previewDone(std::uint64_t job, const TraceResult& result) {
    if (job != running_) return; // a newer trace is on its way
    shown_ = job;
    std::size_t anchors = 0;
    for (const TCvLine& l : result.paths) anchors += l.points.size();
    if (result.status == TraceStatus::NoDarkArea)
        summary->setText(qs(message(errTraceEmpty)));
    else if (result.status == TraceStatus::Done) {
        char text[160];
        std::snprintf(text, sizeof text, caption(C_TracePaths).c_str(),
                      static_cast<int>(result.paths.size()), static_cast<int>(anchors));
        summary->setText(qs(text));
    } else
        summary->setText(qs(result.error));
    preview_->setPaths(result.paths);
}

TraceResult traceWithProgress(QWidget* parent, TraceJob job) {
    QProgressDialog progress(qs(caption(C_TraceTracing)), qs(caption(C_Cancel)), 0, 1000, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    std::optional<TraceResult> out;
    QEventLoop loop;
    TraceWorker worker(
        [&loop, &out](std::uint64_t, TraceResult r) {
            QMetaObject::invokeMethod(
                &loop,
                [&loop, &out, r = std::move(r)] {
                    out = r;
                    loop.quit();
                },
                Qt::QueuedConnection);
        },
        [&progress](std::uint64_t, double f) {
            QMetaObject::invokeMethod(
                &progress, [&progress, f] { progress.setValue(static_cast<int>(f * 1000)); },
                Qt::QueuedConnection);
        });
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&worker] { worker.cancel(); });
    worker.start(std::move(job));
    loop.exec();
    return out ? std::move(*out) : TraceResult{};
}

std::string traceDraft(QWidget* parent, TCvWindow& canvas) {
    if (!canvas.Draft().Present()) return {};
    const DraftPicture& draft = canvas.Draft().Picture();
    TraceOptions options;
    {
        TTraceDlg dialog(parent, draft);
        if (dialog.exec() != QDialog::Accepted) return {};
        options = dialog.options();
    }
    // The job owns its copy: the canvas's picture stays the canvas's.
    TraceJob job{
        std::make_shared<const RasterImage>(draft.image), options, {draft.position, draft.factor}};
    const TraceResult result = traceWithProgress(parent, std::move(job));
    switch (result.status) {
    case TraceStatus::Done:
        break;
    case TraceStatus::Cancelled:
        return {};
    case TraceStatus::NoDarkArea:
        return message(errTraceEmpty);
    default:
        return result.error;
    }
    canvas.EndPenPath();
    if (!ImportPaths(canvas.Document, result.paths, canvas.PenPath())) return {};
    canvas.Document.SelectionChanged();
    canvas.Invalidate();
    canvas.Changed();
    return {};
}

} // namespace plumex
