// The built-in Japanese texts, in key order; accelerators follow as "(&X)".

#include "app/BuiltinLanguages.h"

namespace plumex {

namespace {

TLanguage makeJapanese() {
    TLanguage l;
    l.Name = "Japanese";
    l.captions = {
        "スクロール",                             // M_Scroll
        "オブジェクトの移動",                     // M_ObjectMove
        "1グリッド左へ",                          // M_Left
        "1グリッド右へ",                          // M_Right
        "1グリッド上へ",                          // M_Up
        "1グリッド下へ",                          // M_Down
        "1ピクセル左へ",                          // M_FineLeft
        "1ピクセル右へ",                          // M_FineRight
        "1ピクセル上へ",                          // M_FineUp
        "1ピクセル下へ",                          // M_FineDown
        "半画面左へ",                             // M_PageLeft
        "半画面右へ",                             // M_PageRight
        "半画面上へ",                             // M_PageUp
        "半画面下へ",                             // M_PageDown
        "ファイル(&F)",                           // M_File
        "新規作成(&N)",                           // M_New
        "開く(&O)...",                            // M_Open
        "新しいウィンドウで開く(&W)...",          // M_OpenNew
        "上書き保存(&S)...",                      // M_Save
        "名前を付けて保存(&A)...",                // M_SaveAs
        "最近使ったファイル(&R)",                 // M_MRU
        "インポート(&I)",                         // M_Import
        "エクスポート(&E)",                       // M_Export
        "下絵の読み込み(&L)...",                  // M_LoadDraft
        "下絵の削除(&D)",                         // M_ClrDraft
        "終了(&Q)",                               // M_Exit
        "編集(&E)",                               // M_Edit
        "元に戻す(&U)",                           // M_Undo
        "やり直し(&R)",                           // M_Redo
        "切り取り(&T)",                           // M_Cut
        "セグメントの切り取り(&S)",               // M_CutSegments
        "コピー(&C)",                             // M_Copy
        "貼り付け(&P)",                           // M_Paste
        "同じ位置に貼り付け(&S)",                 // M_PasteNoMove
        "削除(&D)",                               // M_Delete
        "セグメントの削除(&G)",                   // M_DeleteSegments
        "すべて選択(&A)",                         // M_SelectAll
        "次のツール(&N)",                         // M_NextTool
        "前のツール(&P)",                         // M_PrevTool
        "オブジェクト(&O)",                       // M_Object
        "ロック(&L)",                             // M_Lock
        "ロック解除(&U)",                         // M_UnLock
        "隠す(&H)",                               // M_Hide
        "すべて表示(&S)",                         // M_ShowAll
        "重ね順(&Y)",                             // M_Layer
        "最前面へ(&F)",                           // M_LayerFront
        "最背面へ(&B)",                           // M_LayerBack
        "整列(&A)...",                            // M_Align
        "移動(&M)",                               // M_Move
        "原点へ移動(&O)",                         // M_MoveToCenter
        "原点へ移動2(&O)",                        // M_MoveToHome
        "数値入力(&I)...",                        // M_InputMove
        "このアンカーを基準に移動(&A)",           // M_MoveThisPt
        "拡大・縮小(&E)",                         // M_Expand
        "2倍(&D)",                                // M_DoubleSize
        "1/2倍(&H)",                              // M_HalfSize
        "高さを1.0に(&H)",                        // M_SizeUnitV
        "幅を1.0に(&W)",                          // M_SizeUnitH
        "数値入力(&I)...",                        // M_InputExpand
        "回転(&R)",                               // M_Rotate
        "左90度(&L)",                             // M_RotateL90
        "右90度(&R)",                             // M_RotateR90
        "左右反転(&X)",                           // M_FlipX
        "上下反転(&Y)",                           // M_FlipY
        "数値入力(&I)...",                        // M_InputRotate
        "傾斜(&S)...",                            // M_Shear
        "複製(&D)",                               // M_Dupe
        "穴を開ける(&M)",                         // M_Intersect
        "POV出力<クリップボード>(&C)",            // M_POVCopy
        "POV出力<ファイル>(&F)",                  // M_POVExport
        "Lathe(&L)...",                           // M_Lathe
        "Prism(&P)...",                           // M_Prism
        "配列(&A)...",                            // M_Array
        "プロパティ(&P)",                         // M_Property
        "アンカー(&A)",                           // M_Anchor
        "端点の連結(&J)",                         // M_JoinAnchor
        "端点を直線で連結(&S)",                   // M_JoinAnchorS
        "近くの端点の連結(&N)...",                // M_JoinAnchorI
        "アンカーで分割(&P)",                     // M_CutAnchor
        "アンカーの削除(&R)",                     // M_RemoveAnchor
        "アンカーを倍に(&D)",                     // M_DoubleAnchor
        "アンカーの最少化(&M)",                   // M_MinimizeAnchor
        "滑らかな曲線(&S)",                       // M_Curve
        "角(&C)",                                 // M_UnCurve
        "ハンドルの反転(&H)",                     // M_RevHandle
        "ハンドルのコピー(&Y)",                   // M_CopyHandle
        "ハンドルの貼り付け(&P)",                 // M_PasteHandle
        "このアンカーのハンドルをコピー",         // M_CopyHandleThis
        "このアンカーにハンドルを貼り付け",       // M_PasteHandleThis
        "表示(&V)",                               // M_Show
        "拡大表示(&I)",                           // M_ZoomIn
        "縮小表示(&O)",                           // M_ZoomOut
        "表示倍率 <ピクセル/単位>(&P)",           // M_Scale
        "100 <標準>",                             // M_StdScale
        "数値入力(&I)...",                        // M_InputZoom
        "原点を中央に表示(&C)",                   // M_GotoCenter
        "原点を左下に表示(&L)",                   // M_GotoHome
        "選択部分を中央に表示(&S)",               // M_GotoSelCenter
        "選択部分を左下に表示(&B)",               // M_GotoSelHome
        "全体を表示(&F)",                         // M_ZoomFitAll
        "選択部分を表示(&T)",                     // M_ZoomFitSel
        "オプション(&P)",                         // M_Option
        "ツールバーを左に(&T)",                   // M_ToolBarLeft
        "ツールバーを右に(&T)",                   // M_ToolBarRight
        "ヒントを表示(&H)",                       // M_ShowHint
        "定規を表示(&R)",                         // M_ShowRuler
        "グリッドを表示(&G)",                     // M_ShowGrid
        "グリッドにスナップ(&S)",                 // M_SnapGrid
        "グリッド間隔",                           // M_GridSize
        "自動(&A)",                               // M_GridSizeAuto
        "固定(&F)...",                            // M_GridSizeFixed
        "ガイドラインを表示(&L)",                 // M_ShowGuides
        "ガイドラインにスナップ(&P)",             // M_SnapGuides
        "ガイドラインをロック(&K)",               // M_LockGuides
        "非選択アンカーを表示(&A)",               // M_ShowAnchor
        "小さいアンカー(&M)",                     // M_SmallAnchor
        "ヘルパーを表示(&E)",                     // M_ShowHelper
        "下絵",                                   // M_Draft
        "通常表示(&N)",                           // M_ShowDraft
        "淡く表示(&F)",                           // M_ShowDimDraft
        "隠す(&H)",                               // M_HideDraft
        "ステータスバーを表示(&B)",               // M_ShowSBar
        "表示色の設定(&C)",                       // M_SetColors
        "次回ウィンドウの位置と大きさを復元(&W)", // M_RestoreWinSize
        "ヘルプ(&H)",                             // M_Help
        "ショートカットキー(&K)...",              // M_AboutKey
        "バージョン情報(&A)...",                  // M_About
        "言語定義ファイルの出力",                 // M_LangFileOut
        "オブジェクトツール",                     // H_SelLine
        "アンカーポイントツール",                 // H_SelPoint
        "ペンツール",                             // H_PenTool
        "長方形ツール",                           // H_RectTool
        "楕円ツール",                             // H_EllipseTool
        "文字ツール",                             // H_TextTool
        "ズームツール",                           // H_ZoomTool
        "定規を表示",                             // H_ShowRuler
        "グリッドを表示",                         // H_ShowGrid
        "グリッドにスナップ",                     // H_SnapGrid
        "グリッド間隔",                           // H_GridSize
        "ガイドラインを表示",                     // H_ShowGuides
        "ガイドラインにスナップ",                 // H_SnapGuides
        "ガイドラインをロック",                   // H_LockGuides
        "非選択アンカーを表示",                   // H_ShowAnchor
        "小さいアンカー",                         // H_SmallAnchor
        "ヘルパーを表示",                         // H_ShowHelper
        "下絵を通常表示",                         // H_ShowDraft
        "下絵を淡く表示",                         // H_DimDraft
        "表示倍率 (ピクセル/単位)",               // H_StatusBar1
        "マウスのX座標 (単位)",                   // H_StatusBar2
        "マウスのY座標 (単位)",                   // H_StatusBar3
        "角度 (時計回り)",                        // H_StatusBar4
        "言語",                                   // H_StatusBar5
        "ファイルを開く",                         // D_Open
        "新しいウィンドウでファイルを開く",       // D_OpenNew
        "ファイルの保存",                         // D_Save
        "名前を付けて保存",                       // D_SaveAs
        "ビットマップとして保存",                 // D_SaveBmp
        "下絵の読み込み",                         // D_LoadDraft
        "オブジェクトの整列",                     // D_AlignObj
        "アンカーの整列",                         // D_AlignPts
        "オブジェクトの移動",                     // D_MoveObj
        "アンカーの移動",                         // D_MovePts
        "オブジェクトの拡大・縮小",               // D_Expand
        "オブジェクトの回転",                     // D_Rotate
        "オブジェクトの傾斜",                     // D_Shear
        "POV出力 <Prism>",                        // D_Prism
        "POV出力 <Lathe>",                        // D_Lathe
        "POV出力 <配列>",                         // D_Array
        "POV出力 <ユーザー定義>",                 // D_UserDef
        "表示色の設定",                           // D_UIColor
        "固定グリッド",                           // D_FixGrid
        "ショートカットキー一覧",                 // D_KeyList
        "Plumexについて",                         // D_About
        "長方形",                                 // D_Rect
        "楕円",                                   // D_Ellipse
        "表示倍率 <ピクセル/単位>",               // D_Scale
        "近くのアンカーの連結",                   // D_JoinRange
        "文字オブジェクト",                       // D_Text
        "TrueTypeフォントファイルを開く",         // D_TTF
        "OK",                                     // C_Ok
        "キャンセル",                             // C_Cancel
        "はい",                                   // C_Yes
        "いいえ",                                 // C_No
        "ヘルプ",                                 // C_Help
        "変更",                                   // C_Change
        "標準に戻す",                             // C_Default
        "適用",                                   // C_Apply
        "コピー",                                 // C_Copy
        "マーカー",                               // C_Marker
        ">>",                                     // C_SeeRight
        "画像モード",                             // C_SbMode
        "グレースケール",                         // C_SbMGray
        "白黒",                                   // C_SbMMono
        "オブジェクトの大きさ:",                  // C_SbObjSize
        "解像度:",                                // C_SbRes
        "余白",                                   // C_SbMargin
        "出力サイズ",                             // C_SbOutSize
        "ファイルサイズ(概算)",                   // C_SbFSize
        "水平方向",                               // C_AlHorz
        "なし(&N)",                               // C_AlHorzNone
        "左揃え(&L)",                             // C_AlLeft
        "中央揃え(&C)",                           // C_AlCenter
        "右揃え(&R)",                             // C_AlRight
        "等間隔(&I)",                             // C_AlHorzReg
        "垂直方向",                               // C_AlVert
        "なし(&O)",                               // C_AlVertNone
        "上揃え(&T)",                             // C_AlTop
        "中央揃え(&M)",                           // C_AlMiddle
        "下揃え(&B)",                             // C_AlBottom
        "等間隔(&V)",                             // C_AlVertReg
        "背景",                                   // C_ClBk
        "非選択オブジェクト",                     // C_ClUnselObj
        "選択オブジェクト",                       // C_ClSelObj
        "選択オブジェクトの非選択アンカー",       // C_ClUnselAnc
        "選択された端点",                         // C_ClSelEndAnc
        "選択オブジェクトの非選択の端点",         // C_ClUnselEndAnc
        "制御点/制御線",                          // C_ClCtrl
        "ロックされたオブジェクト",               // C_ClLocked
        "グリッド",                               // C_ClGrid
        "区切りグリッド",                         // C_ClStep
        "中心グリッド",                           // C_ClCenter
        "選択範囲",                               // C_ClBounds
        "マーカー",                               // C_ClMarler
        "定規の背景",                             // C_ClRulerB
        "定規の前景",                             // C_ClRulerF
        "カーソル位置表示",                       // C_ClCurPos
        "ガイドライン",                           // C_ClGuide
        "相対",                                   // C_Rel
        "絶対",                                   // C_Abs
        "基準点:",                                // C_ExpOrigin
        "角度:",                                  // C_RotAngle
        "中心:",                                  // C_RotOrigin
        "基準点:",                                // C_ShrOrigin
        "水平",                                   // C_ShrHorz
        "垂直",                                   // C_ShrVert
        "グリッド間隔 (単位):",                   // C_GridSize
        "区切りの間隔 (グリッド数):",             // C_GridStep
        "宣言:",                                  // C_POVDec
        "直接",                                   // C_POVDirect
        "回転軸:",                                // C_POVAxis
        "Y軸(x=0)",                               // C_POVAxisY
        "選択範囲の左端",                         // C_POVAxisL
        "選択範囲の右端",                         // C_POVAxisR
        "下端:",                                  // C_POVBtm
        "上端:",                                  // C_POVTop
        "オブジェクト修飾子:",                    // C_POVStat
        "精度:",                                  // C_Accuracy
        "名前:",                                  // C_Name
        "線の定義",                               // C_LineDef
        "点の定義:",                              // C_PtDef
        "折れ線として",                           // C_PolyLine
        "分割数:",                                // C_DevBy
        "幅(単位):",                              // C_Width
        "高さ(単位):",                            // C_Height
        "倍率:",                                  // C_Scale
        "範囲(単位):",                            // C_JoinRange
        "フォント:",                              // C_Font
        "TTFファイル",                            // C_TTFFile
        "表示サイズ (ポイント):",                 // C_DispSize
        "穴を開ける",                             // C_MakeHole
        "オブジェクトの大きさ(高さ,単位):",       // C_ObjSize
        "機能順",                                 // C_KeyFunc
        "キー順",                                 // C_KeyKey
    };
    l.messages = {
        "無題",
        "変更を保存しますか?",
        "'*' の付いた項目はメニューにありません。",
        "ガイドラインを消去しますか?",
        "Plumexのファイルではありません",
        "新しいバージョンのデータです。\r\n最新版のPlumexを使ってください。",
        "古いバージョンのデータです。\r\nバージョン %V 以前のPlumexを使ってください。",
        "下絵の画像を読み込めませんでした。",
        "傾斜角は -90 より大きく 90 より小さい値にしてください。",
        "ビットマップを作成できませんでした。サイズが大きすぎる可能性があります。",
    };
    return l;
}

} // namespace

const TLanguage& builtinJapanese() {
    static const TLanguage language = makeJapanese();
    return language;
}

} // namespace plumex
