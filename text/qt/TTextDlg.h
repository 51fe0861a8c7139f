#pragma once
// The text dialog: the text shown in the chosen face, the face (installed or from a file),
// the object size, Make Holes, Bold and Italic. Created once; its fields stay between uses.

#include "text/TextRequest.h"
#include "text/qt/FileFace.h"

#include <QDialog>

#include <map>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TTextDlg : public QDialog {
    Q_OBJECT
public:
    explicit TTextDlg(QWidget* parent = nullptr);

    std::string FontName() const;
    bool MakeHoles() const;
    // Selects the size list's entry equal to the formatted number, inserting it at the top
    // when absent.
    void SetObjectSize(double x);
    void SetDisplaySize(int n);
    void UpdateLanguage();
    // Adds a font file's face at the top of the list (unless its name is there) and selects it.
    void AddFontFile(const std::string& path, const std::string& name);

    // The request the fields describe (the object size as last accepted).
    plumex::TextRequest request() const;
    // Shows the dialog modally; nullopt on Cancel.
    std::optional<plumex::TextRequest> run(std::optional<double> objectSize);

    QPlainTextEdit* RE1;
    QComboBox* CBFontNames;
    QPushButton* SBSelectFile1;
    QComboBox* CBSizes;
    QComboBox* CBObjSizes;
    QCheckBox* CBIntersect;
    QCheckBox* CBBold;
    QCheckBox* CBItalic;
    QLabel* LFace;         // the face actually used
    QLabel* LObjSizeError; // why OK is off while the object size text is no size
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

private:
    void refreshFont();
    void checkObjectSize();
    void readObjectSize();
    void selectFile();

    QLabel* fontLabel_;
    QLabel* dispLabel_;
    QLabel* objLabel_;
    double objectSize_ = 1;
    int displaySize_ = 50;
    struct FontFile {
        std::string path;
        FileFace face; // the face Qt shows the memo in
    };
    std::map<std::string, FontFile> files_; // list names added from files
};
