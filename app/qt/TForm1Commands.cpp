// What each menu item and option button of the main window does.

#include "app/qt/TForm1.h"

#include "app/Languages.h"
#include "app/MenuTree.h"
#include "app/NumberText.h"
#include "app/qt/MainStatusBar.h"
#include "app/qt/SpeedPanel.h"
#include "app/qt/SvgTransfer.h"
#include "canvas/qt/CanvasWidget.h"

#include <QAction>
#include <QMessageBox>

using namespace plumex;

void TForm1::routeCommands() {
    route("New1", [this] { New1Click(); });
    route("SetColors1", [this] { SetColors1Click(); });
    route("Property1", [this] { Property1Click(); });
    route("Open1", [this] { Open1Click(); });
    route("OpenNew1", [this] { OpenNew1Click(); });
    route("Save1", [this] { Save1Click(); });
    route("SaveAs1", [this] { SaveAs1Click(); });
    route("Exit1", [this] { close(); });
    route("LoadDraft1", [this] { LoadDraft1Click(); });
    route("ClrDraft1", [this] { canvas().ClearDraft(); });
    route("Import1", [this] { importSvgDialog(this, canvas()); });
    route("ExportSvg1", [this] { exportSvgDialog(this, canvas()); });

    route("Undo1", [this] { canvas().Undo(); });
    route("Redo1", [this] { canvas().Redo(); });
    route("SelectAll1", [this] { editDocument([this] { canvas().Document.SelectAll(); }); });
    route("NextTool1", [this] { SelectTool(nextTool(canvas().Tool())); });
    route("PrevTool1", [this] { SelectTool(previousTool(canvas().Tool())); });

    TCvDocument& doc = canvas().Document;
    route("Lock1", [this, &doc] { editDocument([&doc] { doc.Lock(); }); });
    route("UnLock1", [this, &doc] { editDocument([&doc] { doc.UnlockAll(); }); });
    route("Hide1", [this, &doc] { editDocument([&doc] { doc.Hide(); }); });
    route("ShowAll1", [this, &doc] { editDocument([&doc] { doc.ShowAll(); }); });
    route("Intersect1", [this, &doc] {
        if (doc.MakeHole()) editDocument([] {});
    });
    route("Delete1", [this] { canvas().DeleteSelection(); });
    route("DeleteSegments1", [this] { canvas().DeleteSegments(); });
    route("Dupe1", [this] { canvas().Dupe(); });
    route("LayerFront1", [this] { canvas().LayerFront(); });
    route("LayerBack1", [this] { canvas().LayerBack(); });
    route("Cut1", [this] { canvas().Cut(); });
    route("CutSegments1", [this] { canvas().CutSegments(); });
    route("Copy1", [this] { canvas().Copy(); });
    route("Paste1", [this] { canvas().Paste(true); });
    route("PasteNoMove1", [this] { canvas().Paste(false); });
    route("JoinAnchor1", [this] { canvas().JoinEndAnchors(false); });
    route("JoinAnchor2", [this] { canvas().JoinEndAnchors(true); });
    route("JoinAnchor3", [this] { canvas().JoinNearEndAnchors(); });
    route("CutAnchor1", [this] { canvas().SeparateAnchors(); });
    route("RemoveAnchor1", [this] { canvas().RemoveAnchors(); });
    route("DoubleAnchor1", [this] { canvas().DoubleAnchors(); });
    route("MinimizeAnchor1", [this] { canvas().MinimizeAnchors(); });
    route("Curve1", [this] { canvas().SmoothAnchors(); });
    route("UnCurve1", [this] { canvas().CornerAnchors(); });
    route("ReverseHandle1", [this] { canvas().ReverseHandles(); });
    route("CopyHandle1", [this] { canvas().CopyHandle(); });
    route("PasteHandle1", [this] { canvas().PasteHandle(); });
    routeTransforms();
    for (const char* name : {"Prism1", "Lathe1", "Array1"}) {
        const int tag = findMenuItem(name)->tag;
        route(name, [this, tag] { POVCopy1Click(tag); });
    }
    for (const char* name : {"Prism2", "Lathe2", "Array2", "ExportAi1", "ExportBmp1"}) {
        const int tag = findMenuItem(name)->tag;
        route(name, [this, tag] { ExportFileClick(tag); });
    }

    route("ZoomIn1", [this] { canvas().ZoomTo(canvas().Scale() * 2); });
    route("ZoomOut1", [this] { canvas().ZoomTo(canvas().Scale() * 0.5); });
    for (const MenuItemDef& item : mainMenuItems()) {
        if (item.parent != "Scale1") continue;
        // Presets without a tag take their scale from the caption.
        const double scale =
            item.tag != 0 ? item.tag : parseDecimal(item.fixed).value_or(canvas().Scale());
        route(std::string(item.name), [this, scale] { canvas().ZoomTo(scale); });
    }
    route("InputZoom1", [this] { canvas().InputScale(); });
    route("GotoCenter1", [this] { canvas().GoOriginCenter(); });
    route("GotoHome1", [this] { canvas().GoOriginHome(); });
    route("GotoSelCenter1", [this] { canvas().GoSelectionCenter(); });
    route("GotoSelHome1", [this] { canvas().GoSelectionHome(); });
    route("ZoomFitAll1", [this] { canvas().FitAll(); });
    route("ZoomFitSel1", [this] { canvas().FitSelection(); });

    route("ToolPanelPos1", [this] {
        Options.ToolRight = !Options.ToolRight;
        placeToolPanel();
        updateOptionChecks();
    });
    route("ShowHint1", [this] { hintsShown_ = !hintsShown_; });
    route("PovPreview1", [this] { setPovPreviewShown(!povPreviewShown()); });
    route("ShowSBar1", [this] {
        Options.ShowStatusBar = !Options.ShowStatusBar;
        statusPanels()->setVisible(Options.ShowStatusBar);
    });
    const std::pair<const char*, int> toggles[] = {
        {"ShowRuler1", OptShowRuler},     {"ShowGrid1", OptShowGrid},
        {"ShowGuides1", OptShowGuides},   {"SnapGuides1", OptSnapGuides},
        {"LockGuides1", OptLockGuides},   {"ShowAnchor1", OptShowAnchor},
        {"SmallAnchor1", OptSmallAnchor}, {"ShowHelper1", OptShowHelper}};
    for (const auto& [name, option] : toggles) {
        const int n = option;
        route(name, [this, n] { toggleOption(n); });
    }
    route("SnapGrid1", [this] {
        toggleOption(OptSnapGrid);
        statusPanels()->repaint();
    });
    route("GridSizeAuto1", [this] { canvas().SetOption(OptGridSizeFixed, false); });
    route("GridSizeFixed1", [this] { canvas().SetOption(OptGridSizeFixed, true); });
    route("ShowDraft1", [this] {
        canvas().SetOption(OptDimDraft, false);
        canvas().SetOption(OptShowDraft, true);
    });
    route("ShowDimDraft1", [this] {
        canvas().SetOption(OptDimDraft, true);
        canvas().SetOption(OptShowDraft, true);
    });
    route("HideDraft1", [this] { canvas().SetOption(OptShowDraft, false); });
    route("RestoreWinSize1", [this] { Options.RestoreWindowSize = !Options.RestoreWindowSize; });

    route("About1", [this] {
        QMessageBox::about(this, QString::fromStdString(caption(D_About)),
                           "<b>Plumex</b><p>An editor of cubic Bezier paths for POV-Ray "
                           "prisms, lathes and point arrays.</p>");
    });

    static constexpr KeyMove directions[4] = {KeyMove::Left, KeyMove::Up, KeyMove::Right,
                                              KeyMove::Down};
    for (const MenuItemDef& item : mainMenuItems()) {
        if (item.parent != "ObjectMove1") continue;
        const bool fine = std::string_view(item.name).starts_with("Fine");
        const KeyMove direction = directions[item.tag];
        route(std::string(item.name),
              [this, direction, fine] { canvas().MoveSelectionByKey(direction, fine); });
    }
}

void TForm1::routeTransforms() {
    route("MoveToCenter1", [this] { canvas().PresetMove(0); });
    route("MoveToHome1", [this] { canvas().PresetMove(1); });
    route("InputMove1", [this] { canvas().MoveDialog(); });
    const char* expands[] = {"DoubleSize1", "HalfSize1", "SizeUnitV1", "SizeUnitH1"};
    for (int n = 0; n < 4; ++n) route(expands[n], [this, n] { canvas().PresetExpand(n); });
    route("InputExpand1", [this] { canvas().ExpandDialog(); });
    route("RotateL90", [this] { canvas().PresetRotate(0); });
    route("RotateR90", [this] { canvas().PresetRotate(1); });
    route("FlipX1", [this] { canvas().FlipSelection(true); });
    route("FlipY1", [this] { canvas().FlipSelection(false); });
    route("InputRotate1", [this] { canvas().RotateDialog(); });
    route("Shear1", [this] { canvas().ShearDialog(); });
    route("Align1", [this] { canvas().AlignDialog(); });
}

void TForm1::SBOptionClick(int tag, bool down) {
    canvas().CancelDrag();
    switch (tag) {
    case 4:
        canvas().SetOption(OptGridSizeFixed, down);
        break;
    case 11:
    case 12:
        if (down) canvas().SetOption(OptDimDraft, tag == 12);
        canvas().SetOption(OptShowDraft, down);
        break;
    default:
        if (optionOfTag(tag) >= 0) canvas().SetOption(optionOfTag(tag), down);
        break;
    }
    // The fixed grid size may have been refused; the buttons show what the options are.
    speedPanel()->sync(Options);
}
