#pragma once
// The shortcut list: every key of the program in menu order or in key order, rebuilt in the
// current language each time it opens.

#include "shell/KeyInfo.h"

#include <QDialog>

#include <vector>

class QLabel;
class QListWidget;
class QTabBar;

class TKeyInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit TKeyInfoDlg(QWidget* parent = nullptr);

    QTabBar* TC1;
    QListWidget* LB1;
    QLabel* StatusBar1;

    // Texts and entries from the command table in the current language.
    void Fill();
    // The entries as listed: collection order on tab 0, key order on tab 1.
    const std::vector<plumex::TKeyInfo>& Shown() const { return shown_; }
    void Rebuild();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateStatus();

    std::vector<plumex::TKeyInfo> entries_;
    std::vector<plumex::TKeyInfo> shown_;
    QString note_;
};
