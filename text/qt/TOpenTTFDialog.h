#pragma once
// The open dialog for font files, with a preview of the chosen file's face below the list.

#include <QFileDialog>

#include <string>

class QLabel;

class TOpenTTFDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit TOpenTTFDialog(QWidget* parent = nullptr);
    ~TOpenTTFDialog() override;

    // True when a file was chosen; FileName() and FullName() then hold it and its font's name.
    bool Execute();
    std::string FileName() const { return file_; }
    std::string FullName() const { return name_; }

    // Shows the file's full name and a sample in its face; errors keep the previous preview.
    void preview(const QString& path);
    QLabel* Preview;

private:
    void dropTemporary();

    std::string file_;
    std::string name_;
    int temporary_ = -1; // the application font registered for the preview
};
