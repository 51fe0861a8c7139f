#include "text/qt/TTextDlg.h"

#include "app/LanguageKeys.h"
#include "app/Languages.h"
#include "app/Locale.h"
#include "export/PovFormat.h"
#include "text/InstalledFonts.h"
#include "text/qt/FileFace.h"
#include "text/qt/TOpenTTFDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>

namespace {

QString text(int key) {
    return QString::fromStdString(plumex::caption(key));
}

// The number the text holds, or nothing when it is not one.
std::optional<double> numberOf(const QString& s) {
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

} // namespace

TTextDlg::TTextDlg(QWidget* parent) : QDialog(parent) {
    RE1 = new QPlainTextEdit(QStringLiteral("ABC"), this);
    RE1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RE1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RE1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RE1->setTabChangesFocus(true); // keyboard users can leave the memo for the other fields
    CBFontNames = new QComboBox(this);
    for (const std::string& f : plumex::ListFontFamilies())
        CBFontNames->addItem(QString::fromStdString(f));
    // The desktop's sans-serif face, one covering Japanese for a Japanese locale.
    const QString def =
        QString::fromStdString(plumex::DefaultFontFamily(plumex::localeIsJapanese() ? "ja" : ""));
    const int at = CBFontNames->findText(def);
    CBFontNames->setCurrentIndex(at >= 0 ? at : 0);
    SBSelectFile1 = new QPushButton(this);
    CBSizes = new QComboBox(this);
    CBSizes->setEditable(true);
    for (const char* s : {"5", "8", "10", "14", "24", "50", "100", "200"}) CBSizes->addItem(s);
    CBSizes->setCurrentText(QStringLiteral("50"));
    CBObjSizes = new QComboBox(this);
    CBObjSizes->setEditable(true);
    CBObjSizes->addItem(QStringLiteral("1"));
    // A size is taken as typed: inline completion would turn "1" into a listed "1.5" unseen,
    // and Enter would add whatever was typed to the list.
    for (QComboBox* c : {CBSizes, CBObjSizes}) {
        c->setCompleter(nullptr);
        c->setInsertPolicy(QComboBox::NoInsert);
    }
    LObjSizeError = new QLabel(this);
    LObjSizeError->setWordWrap(true);
    LObjSizeError->hide();
    CBIntersect = new QCheckBox(this);
    CBIntersect->setChecked(true);
    CBBold = new QCheckBox(QStringLiteral("Bold"), this);
    CBItalic = new QCheckBox(QStringLiteral("Italic"), this);
    LFace = new QLabel(this);
    OkBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    fontLabel_ = new QLabel(this);
    dispLabel_ = new QLabel(this);
    objLabel_ = new QLabel(this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(RE1, 0, 0, 1, 4);
    grid->addWidget(fontLabel_, 1, 0);
    grid->addWidget(CBFontNames, 1, 1, 1, 2);
    grid->addWidget(SBSelectFile1, 1, 3);
    grid->addWidget(LFace, 2, 1, 1, 3);
    grid->addWidget(dispLabel_, 3, 0);
    grid->addWidget(CBSizes, 3, 1);
    grid->addWidget(objLabel_, 4, 0);
    grid->addWidget(CBObjSizes, 4, 1);
    grid->addWidget(LObjSizeError, 5, 0, 1, 4);
    auto* checks = new QHBoxLayout;
    checks->addWidget(CBIntersect);
    checks->addWidget(CBBold);
    checks->addWidget(CBItalic);
    grid->addLayout(checks, 6, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    grid->addLayout(buttons, 7, 0, 1, 4);
    OkBtn->setDefault(true);

    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(SBSelectFile1, &QPushButton::clicked, this, [this] { selectFile(); });
    connect(CBFontNames, &QComboBox::currentTextChanged, this, [this] { refreshFont(); });
    connect(CBBold, &QCheckBox::toggled, this, [this] { refreshFont(); });
    connect(CBItalic, &QCheckBox::toggled, this, [this] { refreshFont(); });
    connect(CBObjSizes, &QComboBox::editTextChanged, this, [this] { checkObjectSize(); });
    connect(CBSizes, &QComboBox::currentTextChanged, this, [this](const QString& s) {
        if (const std::optional<double> v = numberOf(s); v && *v >= 1 && *v <= 1000)
            SetDisplaySize(static_cast<int>(*v));
    });
    UpdateLanguage();
    refreshFont();
    resize(460, 360);
}

void TTextDlg::UpdateLanguage() {
    using namespace plumex;
    setWindowTitle(text(D_Text));
    fontLabel_->setText(text(C_Font));
    SBSelectFile1->setText(text(C_TTFFile));
    dispLabel_->setText(text(C_DispSize));
    objLabel_->setText(text(C_ObjSize));
    CBIntersect->setText(text(C_MakeHole));
    OkBtn->setText(text(C_Ok));
    CancelBtn->setText(text(C_Cancel));
    checkObjectSize();
}

std::string TTextDlg::FontName() const {
    return CBFontNames->currentText().toStdString();
}

bool TTextDlg::MakeHoles() const {
    return CBIntersect->isChecked();
}

void TTextDlg::SetObjectSize(double x) {
    const QString s = QString::fromStdString(FormatPovNumber(x, 6));
    int at = CBObjSizes->findText(s);
    if (at < 0) {
        CBObjSizes->insertItem(0, s);
        at = 0;
    }
    CBObjSizes->setCurrentIndex(at);
    CBObjSizes->setEditText(s);
    objectSize_ = x;
}

void TTextDlg::SetDisplaySize(int n) {
    displaySize_ = n;
    refreshFont();
}

void TTextDlg::checkObjectSize() {
    // OK would otherwise make text of a size other than the one shown.
    const bool fits = plumex::ParseObjectSize(CBObjSizes->currentText().toStdString()).has_value();
    OkBtn->setEnabled(fits);
    LObjSizeError->setVisible(!fits);
    QString why = QString::fromStdString(plumex::message(plumex::errObjSize));
    why.replace(QStringLiteral("%L"), QString::fromStdString(plumex::ObjectSizeLimitText()));
    LObjSizeError->setText(why);
}

void TTextDlg::readObjectSize() {
    if (const std::optional<double> v =
            plumex::ParseObjectSize(CBObjSizes->currentText().toStdString()))
        objectSize_ = *v;
}

plumex::TextRequest TTextDlg::request() const {
    plumex::TextRequest r;
    r.text = RE1->toPlainText().toStdString();
    const auto file = files_.find(FontName());
    if (file != files_.end())
        r.fontFile = file->second.path;
    else
        r.family = FontName();
    r.bold = CBBold->isChecked();
    r.italic = CBItalic->isChecked();
    r.objectSize = objectSize_;
    r.makeHoles = MakeHoles();
    return r;
}

std::optional<plumex::TextRequest> TTextDlg::run(std::optional<double> objectSize) {
    UpdateLanguage();
    if (objectSize) SetObjectSize(*objectSize);
    RE1->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    readObjectSize();
    return request();
}

void TTextDlg::refreshFont() {
    // The memo shows the face the outlines will come from, which may be a stand-in.
    plumex::TextRequest r = request();
    QFont font;
    QString face;
    try {
        if (r.fontFile.empty()) {
            const plumex::FontMatch m = plumex::FindFont(r.family, r.bold, r.italic);
            font.setFamily(QString::fromStdString(m.family));
            font.setBold(r.bold);
            font.setItalic(r.italic);
            face = QString::fromStdString(plumex::DescribeFont(m, r.family));
        } else {
            // The list shows the file's full name; Qt knows the face by family and style.
            font = files_[FontName()].face.font(displaySize_, r.bold, r.italic);
            face = QString::fromStdString(r.fontFile);
        }
    } catch (const std::exception& e) {
        face = QString::fromStdString(e.what());
    }
    font.setPointSize(displaySize_);
    RE1->setFont(font);
    LFace->setText(face);
}

void TTextDlg::AddFontFile(const std::string& path, const std::string& name) {
    const QString q = QString::fromStdString(name);
    if (CBFontNames->findText(q) < 0) {
        InstalledFonts().Add(path);
        CBFontNames->insertItem(0, q);
    }
    files_[name] = {path, RegisterFileFace(QString::fromStdString(path))};
    CBFontNames->setCurrentText(q);
    refreshFont();
}

void TTextDlg::selectFile() {
    TOpenTTFDialog dlg(this);
    dlg.setWindowTitle(text(plumex::D_TTF));
    if (!dlg.Execute()) return;
    const std::string name = dlg.FullName().empty() ? dlg.FileName() : dlg.FullName();
    AddFontFile(dlg.FileName(), name);
}
