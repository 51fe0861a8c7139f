#pragma once
// Trace Draft: the fields of a trace with a live preview of its outlines over the draft. The
// preview traces a reduced copy on a worker thread; every field change starts a new trace
// there, which stops the one running.

#include "canvas/Pict.h"
#include "trace/TraceWorker.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class TCvWindow;

namespace plumex {

class TracePreview;

class TTraceDlg : public QDialog {
    Q_OBJECT
public:
    TTraceDlg(QWidget* parent, const DraftPicture& draft);
    ~TTraceDlg() override;

    TraceOptions options() const;
    // The outlines the preview shows, in drawing units, and whether a trace is still running.
    const std::vector<TCvLine>& previewPaths() const;
    bool previewBusy() const { return running_ != shown_; }

    QSpinBox* threshold;
    QCheckBox* invert;
    QCheckBox* colourMode;
    QSpinBox* levels;
    QSpinBox* turd;
    QDoubleSpinBox* alphamax;
    QCheckBox* optimize;
    QDoubleSpinBox* tolerance;
    QLabel* summary;

private:
    void restartPreview();
    void previewDone(std::uint64_t job, const TraceResult& result);

    TracePlacement placement_;
    std::shared_ptr<const RasterImage> reduced_;
    TracePlacement reducedPlacement_;
    TracePreview* preview_;
    std::uint64_t running_ = 0, shown_ = 0;
    std::unique_ptr<TraceWorker> worker_;
};

// The whole command on the canvas's draft: the dialog, then the full trace with a progress
// bar and Cancel, then the paths into the drawing as one undo step, selected. Answers the
// message for the user when nothing was added for a reason they should know (empty when
// cancelled or done).
std::string traceDraft(QWidget* parent, TCvWindow& canvas);

// The full trace of `job` on a worker thread behind a progress dialog with Cancel.
TraceResult traceWithProgress(QWidget* parent, TraceJob job);

} // namespace plumex
