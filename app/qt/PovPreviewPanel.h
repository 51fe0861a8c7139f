#pragma once
// A dockable panel that shows the selection as POV-Ray renders its export. POV-Ray runs as a
// separate process on a scene in a temporary folder: a quick rough pass first, then a full one
// at the panel's size. A new edit cancels the render and starts another after a short pause.

#include "export/PovOptions.h"
#include "export/PovRayInvocation.h"

#include <QDockWidget>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QProcess;
class QProgressBar;

namespace plumex {

class PovPreviewPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit PovPreviewPanel(QWidget* parent = nullptr);
    ~PovPreviewPanel() override;

    // Where the paths and the prism and lathe options come from when a render starts.
    void setSource(std::function<std::vector<TCvLine>()> selection,
                   std::function<PovDlgState()> options);
    void setMode(PovMode mode); // prism or lathe
    PovMode mode() const { return mode_; }
    void setProgram(const QString& program) { program_ = program; }
    void setPause(int milliseconds) { pause_.setInterval(milliseconds); }

    // Something may have changed: after the pause, a scene that differs from the one running or
    // shown stops the render and starts another.
    void documentChanged();
    bool rendering() const { return process_ != nullptr; }
    // The last picture that finished, and the text under it.
    const QImage& picture() const { return picture_; }
    QString message() const;

signals:
    void renderStarted(bool quick);
    void renderFinished(bool succeeded, bool quick);
    void renderCancelled();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void startRender();
    void startPass(bool quick);
    void passFinished(int exitCode, bool crashed);
    void failed(const QString& why);
    QStringList findingLines() const; // the pre-export check of what is being rendered
    void cancel();
    void showPicture();
    PovRayJob pass(bool quick) const; // size and quality of a pass, files left empty
    bool fitsPanel() const;           // the picture is the full pass at the panel's size

    std::function<std::vector<TCvLine>()> selection_;
    std::function<PovDlgState()> options_;
    std::vector<TCvLine> paths_; // what the running render shows
    PovDlgState state_;
    PovMode sceneMode_ = PovMode::Prism;
    PovMode mode_ = PovMode::Prism;
    QString program_ = "povray";
    QTimer pause_;
    QTemporaryDir dir_;
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
};

} // namespace plumex
