// The built-in English texts, in key order.

#include "app/BuiltinLanguages.h"

namespace plumex {

namespace {

TLanguage makeEnglish() {
    TLanguage l;
    l.Name = "English";
    l.captions = {
        "Scroll",                                     // M_Scroll
        "Move Objects",                               // M_ObjectMove
        "1 Grid Left",                                // M_Left
        "1 Grid Right",                               // M_Right
        "1 Grid Up",                                  // M_Up
        "1 Grid Down",                                // M_Down
        "1 pixel Left",                               // M_FineLeft
        "1 pixel Right",                              // M_FineRight
        "1 pixel Up",                                 // M_FineUp
        "1 pixel Down",                               // M_FineDown
        "HalfScreen Left",                            // M_PageLeft
        "HalfScreen Right",                           // M_PageRight
        "HalfScreen Up",                              // M_PageUp
        "HalfScreen Down",                            // M_PageDown
        "&File",                                      // M_File
        "&New File",                                  // M_New
        "&Open File...",                              // M_Open
        "Open File In New &Window...",                // M_OpenNew
        "&Save...",                                   // M_Save
        "Save&As...",                                 // M_SaveAs
        "&Resent Used Files",                         // M_MRU
        "&Import",                                    // M_Import
        "&Export",                                    // M_Export
        "&Load Draft...",                             // M_LoadDraft
        "&Delete Draft",                              // M_ClrDraft
        "&Quit",                                      // M_Exit
        "&Edit",                                      // M_Edit
        "&Undo",                                      // M_Undo
        "&Redo",                                      // M_Redo
        "Cu&t",                                       // M_Cut
        "Cut &Segment",                               // M_CutSegments
        "&Copy",                                      // M_Copy
        "&Paste",                                     // M_Paste
        "Paste &Same Pos",                            // M_PasteNoMove
        "&Delete",                                    // M_Delete
        "Delte Se&gment",                             // M_DeleteSegments
        "Select &All",                                // M_SelectAll
        "&Next Tool",                                 // M_NextTool
        "&Previous Tool",                             // M_PrevTool
        "&Object",                                    // M_Object
        "&Lock",                                      // M_Lock
        "&Unlock",                                    // M_UnLock
        "&Hide",                                      // M_Hide
        "&Show All",                                  // M_ShowAll
        "La&yer",                                     // M_Layer
        "&Front",                                     // M_LayerFront
        "&Back",                                      // M_LayerBack
        "&Align...",                                  // M_Align
        "&Move",                                      // M_Move
        "Move To &Origin",                            // M_MoveToCenter
        "Move To &Origin2",                           // M_MoveToHome
        "&Input value...",                            // M_InputMove
        "Move by This &Anchor",                       // M_MoveThisPt
        "&Expand",                                    // M_Expand
        "&Double Size",                               // M_DoubleSize
        "&Half Size",                                 // M_HalfSize
        "&Height To 1.0",                             // M_SizeUnitV
        "&Width To 1.0",                              // M_SizeUnitH
        "&Input value...",                            // M_InputExpand
        "&Rotate",                                    // M_Rotate
        "&Left 90",                                   // M_RotateL90
        "&Right 90",                                  // M_RotateR90
        "Flip &X",                                    // M_FlipX
        "Flip &Y",                                    // M_FlipY
        "&Input Value...",                            // M_InputRotate
        "&Shear...",                                  // M_Shear
        "&Dupe",                                      // M_Dupe
        "&Make Hole",                                 // M_Intersect
        "POV Export<&Clipboard>",                     // M_POVCopy
        "POV Export<&File>",                          // M_POVExport
        "&Lathe...",                                  // M_Lathe
        "&Prism...",                                  // M_Prism
        "&Array...",                                  // M_Array
        "&Property",                                  // M_Property
        "&Anchor",                                    // M_Anchor
        "&Join End Anchors",                          // M_JoinAnchor
        "Join End Anchors &Straight",                 // M_JoinAnchorS
        "Join &Near End Anchors...",                  // M_JoinAnchorI
        "Se&parate Anchors",                          // M_CutAnchor
        "&Remove Anchors",                            // M_RemoveAnchor
        "&Double Anchors",                            // M_DoubleAnchor
        "&Minimize Anchors",                          // M_MinimizeAnchor
        "&Smooth Curve",                              // M_Curve
        "&Corner",                                    // M_UnCurve
        "Reverse &Handles",                           // M_RevHandle
        "Cop&y Handle",                               // M_CopyHandle
        "&Paste Handle",                              // M_PasteHandle
        "Copy Handles of This Anchor",                // M_CopyHandleThis
        "Paste Handles to This Anchor",               // M_PasteHandleThis
        "&View",                                      // M_Show
        "Zoom &In",                                   // M_ZoomIn
        "Zoom &Out",                                  // M_ZoomOut
        "Scale <&Pixel/unit>",                        // M_Scale
        "100 <Default>",                              // M_StdScale
        "&Input value...",                            // M_InputZoom
        "Show Origin at &Center",                     // M_GotoCenter
        "Show Origin at &Left Bottom",                // M_GotoHome
        "Show &Selecteds at Center",                  // M_GotoSelCenter
        "Show Selecteds at Left &Bottom",             // M_GotoSelHome
        "&Fit to All",                                // M_ZoomFitAll
        "Fi&t to Selected",                           // M_ZoomFitSel
        "O&ption",                                    // M_Option
        "&Tool Bar Left",                             // M_ToolBarLeft
        "&Tool Bar Right",                            // M_ToolBarRight
        "Show &Hints",                                // M_ShowHint
        "Show &Rulers",                               // M_ShowRuler
        "Show &Grids",                                // M_ShowGrid
        "&Snap To Grids",                             // M_SnapGrid
        "Grid Size",                                  // M_GridSize
        "&Auto",                                      // M_GridSizeAuto
        "&Fixed...",                                  // M_GridSizeFixed
        "Show Guide&Lines",                           // M_ShowGuides
        "Sna&p To GuideLines",                        // M_SnapGuides
        "Loc&k GuideLines",                           // M_LockGuides
        "Show Unselected &Anchors",                   // M_ShowAnchor
        "S&mall Anchor",                              // M_SmallAnchor
        "Show H&elper",                               // M_ShowHelper
        "Draft",                                      // M_Draft
        "Show &Normal",                               // M_ShowDraft
        "Show &Faded",                                // M_ShowDimDraft
        "&Hide",                                      // M_HideDraft
        "Show Status &Bar",                           // M_ShowSBar
        "Customize &Colors",                          // M_SetColors
        "Restore &Window Size/Pos Next Set",          // M_RestoreWinSize
        "&Help",                                      // M_Help
        "Shortcut &Keys...",                          // M_AboutKey
        "&About...",                                  // M_About
        "Output Language Difinition File",            // M_LangFileOut
        "Object Tool",                                // H_SelLine
        "Anchor Point Tool",                          // H_SelPoint
        "Pen Tool",                                   // H_PenTool
        "Rectangle Tool",                             // H_RectTool
        "Ellipse Tool",                               // H_EllipseTool
        "Text Tool",                                  // H_TextTool
        "Zoom Tool",                                  // H_ZoomTool
        "Show Rulers",                                // H_ShowRuler
        "Show Grids",                                 // H_ShowGrid
        "Snap To Grids",                              // H_SnapGrid
        "Grid Size",                                  // H_GridSize
        "Show GuideLines",                            // H_ShowGuides
        "Snap To GuideLines",                         // H_SnapGuides
        "Lock GuideLines",                            // H_LockGuides
        "Show Unselected Anchors",                    // H_ShowAnchor
        "Small Anchor",                               // H_SmallAnchor
        "Show Helper",                                // H_ShowHelper
        "Show Draft Normal",                          // H_ShowDraft
        "Show Draft Faded",                           // H_DimDraft
        "Scale (Pixel/Unit)",                         // H_StatusBar1
        "XPos of Mouse (Unit)",                       // H_StatusBar2
        "YPos of Mouse (Unit)",                       // H_StatusBar3
        "Angle (Clockwise)",                          // H_StatusBar4
        "Language",                                   // H_StatusBar5
        "Open File",                                  // D_Open
        "Open File in New Window",                    // D_OpenNew
        "Save File",                                  // D_Save
        "Save File As",                               // D_SaveAs
        "Save As Bitmap",                             // D_SaveBmp
        "Load Draft",                                 // D_LoadDraft
        "Align Objects",                              // D_AlignObj
        "Align Anchors",                              // D_AlignPts
        "Move Objects",                               // D_MoveObj
        "Move Anchors",                               // D_MovePts
        "Expand Objects",                             // D_Expand
        "Rotate Objects",                             // D_Rotate
        "Shear Objects",                              // D_Shear
        "POV Export <Prism>",                         // D_Prism
        "POV Export <Lathe>",                         // D_Lathe
        "POV Export <Array>",                         // D_Array
        "POV Export <User Deffined>",                 // D_UserDef
        "Color Customizing",                          // D_UIColor
        "Fixed Grid",                                 // D_FixGrid
        "Shortcut-Key List",                          // D_KeyList
        "About Plumex",                               // D_About
        "Rectangle",                                  // D_Rect
        "Ellipse",                                    // D_Ellipse
        "Scale <Pixel/unit>",                         // D_Scale
        "Join Close Anchors",                         // D_JoinRange
        "Text Object",                                // D_Text
        "Open True Type Font File",                   // D_TTF
        "OK",                                         // C_Ok
        "Cancel",                                     // C_Cancel
        "Yes",                                        // C_Yes
        "No",                                         // C_No
        "Help",                                       // C_Help
        "Change",                                     // C_Change
        "Default",                                    // C_Default
        "Apply",                                      // C_Apply
        "Copy",                                       // C_Copy
        "Marker",                                     // C_Marker
        ">>",                                         // C_SeeRight
        "ImageMode",                                  // C_SbMode
        "GrayScale",                                  // C_SbMGray
        "Monochrome",                                 // C_SbMMono
        "Object Size:",                               // C_SbObjSize
        "Resolution:",                                // C_SbRes
        "Margin",                                     // C_SbMargin
        "Output Size",                                // C_SbOutSize
        "File Size(approx.)",                         // C_SbFSize
        "Horizontal",                                 // C_AlHorz
        "&None",                                      // C_AlHorzNone
        "&Left",                                      // C_AlLeft
        "&Center",                                    // C_AlCenter
        "&Right",                                     // C_AlRight
        "Regular &Interval",                          // C_AlHorzReg
        "Vertical",                                   // C_AlVert
        "N&one",                                      // C_AlVertNone
        "&Top",                                       // C_AlTop
        "&Middle",                                    // C_AlMiddle
        "&Bottom",                                    // C_AlBottom
        "Regular Inter&val",                          // C_AlVertReg
        "Background",                                 // C_ClBk
        "Unselected Objects",                         // C_ClUnselObj
        "Selected Obects",                            // C_ClSelObj
        "Unselected Anchors of Selected Objects",     // C_ClUnselAnc
        "Selected End Anchors",                       // C_ClSelEndAnc
        "UnSelected End Anchors of Selected Objects", // C_ClUnselEndAnc
        "Control Points/Lines",                       // C_ClCtrl
        "Locked Objects",                             // C_ClLocked
        "Grids",                                      // C_ClGrid
        "StepGrids",                                  // C_ClStep
        "Center Grids",                               // C_ClCenter
        "Selected Bounds",                            // C_ClBounds
        "Marker",                                     // C_ClMarler
        "Ruler Background",                           // C_ClRulerB
        "Ruler Foreground",                           // C_ClRulerF
        "Cursor Pos Indicators",                      // C_ClCurPos
        "GuideLines",                                 // C_ClGuide
        "Relative",                                   // C_Rel
        "Absolute",                                   // C_Abs
        "Origin:",                                    // C_ExpOrigin
        "Angle:",                                     // C_RotAngle
        "Origin:",                                    // C_RotOrigin
        "Origin:",                                    // C_ShrOrigin
        "Horizontal",                                 // C_ShrHorz
        "Vertical",                                   // C_ShrVert
        "Grid Size (Units):",                         // C_GridSize
        "Step Interval (Grids):",                     // C_GridStep
        "Declaration:",                               // C_POVDec
        "Direct",                                     // C_POVDirect
        "Axis:",                                      // C_POVAxis
        "Y-Axis(x=0)",                                // C_POVAxisY
        "Left of SelBounds",                          // C_POVAxisL
        "Right of SelBounds",                         // C_POVAxisR
        "Bottom:",                                    // C_POVBtm
        "Top:",                                       // C_POVTop
        "Object Modifier(s):",                        // C_POVStat
        "Accuracy:",                                  // C_Accuracy
        "Name:",                                      // C_Name
        "Line Definition",                            // C_LineDef
        "Point Definition:",                          // C_PtDef
        "As Poly Lines",                              // C_PolyLine
        "Divide by:",                                 // C_DevBy
        "Width(units):",                              // C_Width
        "Height(units):",                             // C_Height
        "Scale:",                                     // C_Scale
        "Range(units):",                              // C_JoinRange
        "Font:",                                      // C_Font
        "TTF File",                                   // C_TTFFile
        "Display Size (Point):",                      // C_DispSize
        "Make Holes",                                 // C_MakeHole
        "Object Size(Height,units):",                 // C_ObjSize
        "Function Order",                             // C_KeyFunc
        "Key Order",                                  // C_KeyKey
    };
    l.messages = {
        "Undefined",
        "Save Changes?",
        "Items with '*' are not in menu.",
        "Erase GuideLines?",
        "Not a Plumex File",
        "New Data Version.\r\nUse Current Version of Plumex.",
        "Old Data Version.\r\nUse Plumex of version %V or Older.",
        "Failed To Load Draft Image.",
        "Set Shear Angle More than -90 and Less than 90 Degrees.",
        "Could not create a Bitmap! Size may be Too large.",
    };
    return l;
}

} // namespace

const TLanguage& builtinEnglish() {
    static const TLanguage language = makeEnglish();
    return language;
}

} // namespace plumex
