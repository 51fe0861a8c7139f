#pragma once
// A dockable panel that shows the selection as POV-Ray renders its export. POV-Ray runs as a
// separate process on a scene in a temporary folder: a quick rough pass first, then a full one
// at the panel's size. A new edit cancels the render and starts another after a short pause.
// The scene and the findings under the picture are made on worker threads from a copy of the
// selection, so large drawings keep the window responsive.

#include "export/PovOptions.h"
#include "export/PovRayInvocation.h"

#include <QDockWidget>
#include <QFutureWatcher>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QProcess;
class QProgressBar;

namespace plumex {

class PovFindingsList;

// Where the paths and the prism and lathe options come from when a render starts.
struct PovPreviewSource {
    std::function<std::vector<TCvLine>()> selection;
    std::function<PovDlgState()> options;
    // A number that changes whenever the paths may have changed (none: the paths are compared).
    std::function<std::uint64_t()> revision;
    // The drawing index of each selected path, for clicks on the findings.
    std::function<std::vector<int>()> places;
};

class PovPreviewPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit PovPreviewPanel(QWidget* parent = nullptr);
    ~PovPreviewPanel() override;

    void setSource(PovPreviewSource source) { source_ = std::move(source); }
    void setSource(std::function<std::vector<TCvLine>()> selection,
                   std::function<PovDlgState()> options) {
        setSource(PovPreviewSource{std::move(selection), std::move(options), {}, {}});
    }
    void setMode(PovMode mode); // prism or lathe
    PovMode mode() const { return mode_; }
    void setProgram(const QString& program) { program_ = program; }
    void setPause(int milliseconds) { pause_.setInterval(milliseconds); }

    // Something may have changed: after the pause, a scene that differs from the one running or
    // shown stops the render and starts another. With a revision in the source, a change that
    // leaves the paths, the options and the mode alone costs nothing.
    void documentChanged();
    bool rendering() const { return process_ != nullptr; }
    // The last picture that finished, and the text under it (status, then the findings list).
    const QImage& picture() const { return picture_; }
    QString message() const;
    PovFindingsList* findingsList() const { return findings_; }

signals:
    void renderStarted(bool quick);
    void renderFinished(bool succeeded, bool quick);
    void renderCancelled();
    // A finding was clicked: the drawing index of its path.
    void pathChosen(int place);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Scene {
        bool empty = true; // the selection gives no object
        std::string text;
    };

    bool sameSource() const; // the paths, options and mode are those of the last snapshot
    bool upToDate() const;   // what is shown or on its way belongs to the present source
    void startRender();
    void sceneReady(Scene scene);
    void startPass(bool quick);
    void passFinished(int exitCode, bool crashed);
    void failed(const QString& why);
    void cancel();
    void clearPicture();
    void showPicture();
    PovRayJob pass(bool quick) const; // size and quality of a pass, files left empty
    bool fitsPanel() const;           // the picture is the full pass at the panel's size

    PovPreviewSource source_;
    // The snapshot the running or shown render was made from.
    std::shared_ptr<const std::vector<TCvLine>> paths_;
    std::vector<int> places_;
    std::optional<std::uint64_t> revision_;
    PovDlgState state_;
    PovMode sceneMode_ = PovMode::Prism;
    bool settled_ = false; // the snapshot's scene is rendered, rendering or being made
    PovMode mode_ = PovMode::Prism;
    QString program_ = "povray";
    QTimer pause_;
    QTemporaryDir dir_;
    QFutureWatcher<Scene> making_;
    QProcess* process_ = nullptr;
    QString output_;
    bool quick_ = false;
    QImage picture_;
    std::string scene_;     // the scene of the running or the last render
    bool resized_ = false;  // the panel has a new size: render again even the same scene
    bool finished_ = false; // that render is over: its picture or its failure is shown

    QComboBox* form_;
    QLabel* view_;
    QProgressBar* progress_;
    QLabel* status_;
    PovFindingsList* findings_;
};

} // namespace plumex
