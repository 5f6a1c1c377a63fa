#include "shell/frm_main.h"

namespace tw {

frmMain::frmMain() {
    Add<TabControl>(-1, "Tab1", "frmMain", Placement{0, 0, kClientWidth, kClientHeight},
                    std::vector<std::string>{"Chip Sets", "Char Sets", "Face Sets", "System Sets",
                                             "Battle Animation Sets", "RPG95 zu RPG2K (Chip)"});
    BuildChipsetPage();
    BuildCharsetPage();
    BuildFacesetPage();
    BuildSystemsetPage();
    BuildBattlePage();
    BuildConverterPage();
    BuildMenu();
}

template <class T, class... Args>
T& frmMain::Add(int tabPage, Args&&... args) {
    auto c = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *c;
    ref.TabPage = tabPage;
    byName_[ref.Name()] = &ref;
    controls_.push_back(std::move(c));
    return ref;
}

Control* frmMain::Find(std::string_view name) const {
    auto it = byName_.find(std::string(name));
    return it == byName_.end() ? nullptr : it->second;
}

void frmMain::Form_Load() {
    State.ChipSelSize = 16;
    State.CharFrameW = 24;
    State.CharFrameH = 32;
    State.SysSelSize = 16;
    State.ConvSelSize = 16;
    State.ConvCellSize = 16;
    State.BattleQAniX = 0;
    State.BattleQAniY = 0;
    State.BattleZAniX = 0;
    State.BattleZAniY = 0;
}

namespace {
Placement P(double l, double t, double w, double h) { return Placement{l, t, w, h}; }
}  // namespace

// Surfaces carry a flat 1-pixel border; buffers the raised 2-pixel one. A
// page's target surface holds its sheet, which changes only by the sheet's
// edits; its source keeps the whole picture and scrolls over it (but the
// converter's, which shows its picture in sections).
#define SURFACE(page, name, in, l, t, w, h) \
    Add<Canvas>(page, name, in, P(l, t, w, h), BorderStyle::Flat1, kDesktopColor)
#define SOURCE(page, name, in, l, t, w, h) \
    Add<SourceCanvas>(page, name, in, P(l, t, w, h), BorderStyle::Flat1, kDesktopColor)
#define TARGET(page, name, in, l, t, w, h) \
    Add<SheetSurface>(page, name, in, P(l, t, w, h), BorderStyle::Flat1, kDesktopColor)
#define BUFFER(page, name, in, l, t, w, h) \
    Add<Canvas>(page, name, in, P(l, t, w, h), BorderStyle::Raised2, kButtonFace)
#define SHAPE(page, name, in, w, h) Add<Outline>(page, name, in, P(0, 0, w, h))
#define FRAME(page, name, in, caption, l, t, w, h) Add<Frame>(page, name, in, P(l, t, w, h), caption)
#define BUTTON(page, name, in, caption, l, t, w, h) Add<Button>(page, name, in, P(l, t, w, h), caption)
#define OPTION(page, name, in, caption, l, t, w, h) \
    Add<OptionButton>(page, name, in, P(l, t, w, h), caption)
#define IMAGE(page, name, in, l, t, w, h) Add<ImageView>(page, name, in, P(l, t, w, h))

void frmMain::BuildChipsetPage() {
    const int pg = 0;
    SOURCE(pg, "CQ", "Tab1", 8, 32, 482, 258);
    SHAPE(-1, "Csel", "CQ", 16, 16);
    TARGET(pg, "CZ", "Tab1", 8, 302.7, 482, 258);
    SHAPE(-1, "Cins", "CZ", 16, 16);
    FRAME(pg, "q2", "Tab1", "Source", 496, 22.7, 185, 265);
    Add<Control>(-1, "CommonDialog1", ControlKind::CommonDialog, "q2", Placement{});
    BUTTON(-1, "LoadQChip", "q2", "Load Source Chipset", 24, 160, 137, 25);
    BUTTON(-1, "cmdSelGR", "q2", "Change Select-Size", 24, 192, 137, 25);
    BUFFER(-1, "picCsel", "q2", 8, 32, 20, 20);
    IMAGE(-1, "imgC1", "q2", 32, 32, 120, 120);
    FRAME(pg, "z1", "Tab1", "Target", 496, 294.7, 185, 265);
    BUFFER(-1, "picCins", "z1", 8, 24, 20, 20);
    BUTTON(-1, "cmdNew", "z1", "New Template", 24, 216, 137, 25);
    BUTTON(-1, "LoadZChip", "z1", "Load Target Chipset", 24, 184, 137, 25);
    BUTTON(-1, "SaveZChip", "z1", "Save Target Chipset", 24, 152, 137, 25);
    IMAGE(-1, "imgC2", "z1", 32, 24, 120, 120);
}

void frmMain::BuildCharsetPage() {
    const int pg = 1;
    SOURCE(pg, "RQ", "Tab1", 8, 30.7, 290, 258);
    SHAPE(-1, "Rsel", "RQ", 24, 32);
    TARGET(pg, "RZ", "Tab1", 8, 302.7, 290, 258);
    SHAPE(-1, "Rins", "RZ", 24, 32);
    FRAME(pg, "q1", "Tab1", "Source", 304, 22.7, 377, 265);
    FRAME(-1, "Frame5", "q1", "Animation", 184, 16, 185, 241);
    auto& rStop = OPTION(-1, "optRStop", "Frame5", "Stop", 40, 208, 105, 17);
    auto& rPlay = OPTION(-1, "optRplay", "Frame5", "Play", 40, 184, 105, 17);
    BUFFER(-1, "picCharQAni", "Frame5", 8, 64, 28, 36);
    Add<Timer>(-1, "tmrCharQAni", "Frame5", 300);
    IMAGE(-1, "imgQAni", "Frame5", 40, 32, 104, 132);
    BUTTON(-1, "LoadQChar", "q1", "Load Source Charset", 16, 152, 153, 25);
    BUFFER(-1, "picRsel", "q1", 16, 24, 28, 36);
    BUTTON(-1, "cmdCompleteSet", "q1", "Complete Charset", 16, 184, 153, 25);
    IMAGE(-1, "imgR1", "q1", 56, 24, 80, 100);
    FRAME(pg, "z2", "Tab1", "Target", 304, 294.7, 377, 265);
    FRAME(-1, "Frame6", "z2", "Animation", 184, 16, 185, 241);
    auto& zStop = OPTION(-1, "optZstop", "Frame6", "Stop", 40, 208, 97, 17);
    auto& zPlay = OPTION(-1, "optZplay", "Frame6", "Play", 40, 184, 97, 17);
    BUFFER(-1, "picCharZani", "Frame6", 8, 64, 28, 36);
    Add<Timer>(-1, "tmrCharZAni", "Frame6", 300);
    IMAGE(-1, "imgZani", "Frame6", 40, 32, 104, 132);
    BUTTON(-1, "cmdRnew", "z2", "New Template", 16, 216, 153, 25);
    BUTTON(-1, "LoadZChar", "z2", "Load Target Charset", 16, 184, 153, 25);
    BUTTON(-1, "SaveZChar", "z2", "Save Target Charset", 16, 152, 153, 25);
    BUFFER(-1, "picRins", "z2", 16, 24, 28, 36);
    IMAGE(-1, "imgR2", "z2", 56, 24, 80, 100);
    OptionButton::Pair(rStop, rPlay);
    OptionButton::Pair(zStop, zPlay);
    rStop.Select();
    zStop.Select();
}

void frmMain::BuildFacesetPage() {
    const int pg = 2;
    SOURCE(pg, "FQ", "Tab1", 8, 30.7, 194, 194);
    SHAPE(-1, "Fsel", "FQ", 48, 48);
    TARGET(pg, "FZ", "Tab1", 8, 302.7, 194, 194);
    SHAPE(-1, "Fins", "FZ", 48, 48);
    FRAME(pg, "q3", "Tab1", "Source", 208, 22.7, 473, 265);
    FRAME(-1, "Frame9", "q3", "", 152, 16, 313, 241);
    BUTTON(-1, "LoadQFace", "q3", "Load Source Faceset", 16, 152, 129, 25);
    BUFFER(-1, "picFsel", "q3", 8, 16, 52, 52);
    IMAGE(-1, "imgF1", "q3", 32, 32, 97, 97);
    FRAME(pg, "z3", "Tab1", "Target", 208, 294.7, 473, 265);
    FRAME(-1, "Frame10", "z3", "", 152, 16, 313, 241);
    BUTTON(-1, "cmdFnew", "z3", "New Template", 16, 216, 129, 25);
    BUTTON(-1, "LoadZFace", "z3", "Load Target Faceset", 16, 184, 129, 25);
    BUTTON(-1, "SaveZFace", "z3", "Save Target Faceset", 16, 152, 129, 25);
    BUFFER(-1, "picFins", "z3", 16, 16, 52, 52);
    IMAGE(-1, "imgF2", "z3", 32, 32, 97, 97);
}

void frmMain::BuildSystemsetPage() {
    const int pg = 3;
    SOURCE(pg, "SQ", "Tab1", 16, 30.7, 162, 82);
    SHAPE(-1, "Ssel", "SQ", 16, 16);
    TARGET(pg, "SZ", "Tab1", 16, 302.7, 162, 82);
    SHAPE(-1, "Sins", "SZ", 16, 16);
    FRAME(pg, "q4", "Tab1", "Source", 184, 22.7, 497, 265);
    FRAME(-1, "Frame11", "q4", "", 176, 16, 313, 241);
    BUTTON(-1, "LoadQSystem", "q4", "Load Source Systemset", 16, 152, 137, 25);
    BUFFER(-1, "picSsel", "q4", 8, 24, 20, 20);
    BUTTON(-1, "ySelSize", "q4", "Change Select-Size", 16, 184, 137, 25);
    IMAGE(-1, "imgS1", "q4", 32, 24, 105, 105);
    FRAME(pg, "z4", "Tab1", "Target", 184, 294.7, 497, 265);
    FRAME(-1, "Frame12", "z4", "", 176, 16, 313, 241);
    BUTTON(-1, "cmdSnew", "z4", "New Template", 16, 216, 137, 25);
    BUTTON(-1, "LoadZSystem", "z4", "Load Target Systemset", 16, 184, 137, 25);
    BUTTON(-1, "SaveZSystem", "z4", "Save  Target Systemset", 16, 152, 137, 25);
    BUFFER(-1, "picSins", "z4", 8, 24, 20, 20);
    IMAGE(-1, "imgS2", "z4", 32, 24, 105, 105);
}

void frmMain::BuildBattlePage() {
    Add<TabControl>(4, "Tab2", "Tab1", P(8, 22.7, 673, 545),
                    std::vector<std::string>{"Quellbild", "Zielbild"});
    // "Quellbild": the source side.
    SOURCE(0, "BQ", "Tab2", 8, 40, 482, 482);
    SHAPE(-1, "Bsel", "BQ", 96, 96);
    FRAME(0, "q5", "Tab2", "Source", 496, 32, 169, 489);
    FRAME(-1, "Frame13", "q5", "Animation", 8, 248, 153, 233);
    auto& qStop = OPTION(-1, "optQBStop", "Frame13", "Stop", 16, 192, 121, 13);
    auto& qPlay = OPTION(-1, "optQBplay", "Frame13", "Play", 16, 168, 121, 17);
    BUFFER(-1, "picBattleQAni", "Frame13", 8, 16, 100, 100);
    Add<Timer>(-1, "tmrBattleQAni", "Frame13", 150);
    IMAGE(-1, "imgBQAni", "Frame13", 16, 24, 120, 120);
    BUTTON(-1, "LoadQBattle", "q5", "Load Source Aniset", 16, 152, 137, 25);
    BUFFER(-1, "picBsel", "q5", 8, 16, 100, 100);
    IMAGE(-1, "imgB1", "q5", 32, 24, 105, 105);
    // "Zielbild": the target side.
    TARGET(1, "BZ", "Tab2", 8, 40, 482, 482);
    SHAPE(-1, "Bins", "BZ", 96, 96);
    FRAME(1, "z5", "Tab2", "Target", 496, 32, 169, 489);
    FRAME(-1, "Frame14", "z5", "Animation", 8, 248, 153, 233);
    auto& zStop = OPTION(-1, "optZBStop", "Frame14", "Stop", 16, 192, 121, 13);
    auto& zPlay = OPTION(-1, "optZBplay", "Frame14", "Play", 16, 168, 121, 13);
    BUFFER(-1, "picBattleZAni", "Frame14", 8, 16, 100, 100);
    Add<Timer>(-1, "tmrBattleZAni", "Frame14", 300);
    IMAGE(-1, "imgBZAni", "Frame14", 16, 24, 120, 120);
    BUTTON(-1, "cmdBnew", "z5", "New Template", 16, 216, 137, 25);
    BUTTON(-1, "LoadZBattle", "z5", "Load Target Aniset", 16, 184, 137, 25);
    BUTTON(-1, "SaveZBattle", "z5", "Save Target Aniset", 16, 152, 137, 25);
    BUFFER(-1, "picBins", "z5", 8, 16, 100, 100);
    IMAGE(-1, "imgB2", "z5", 32, 24, 105, 105);
    OptionButton::Pair(qStop, qPlay);
    OptionButton::Pair(zStop, zPlay);
    qStop.Select();
    zStop.Select();
}

void frmMain::BuildConverterPage() {
    const int pg = 5;
    SURFACE(pg, "OQ", "Tab1", 32, 30.7, 130, 514);
    SHAPE(-1, "Osel", "OQ", 16, 16);
    TARGET(pg, "OZ", "Tab1", 200, 30.7, 482, 258);
    SHAPE(-1, "Oins", "OZ", 16, 16);
    FRAME(pg, "q6", "Tab1", "Source", 200, 294.7, 305, 265);
    auto& one = OPTION(-1, "optModOneToOne", "q6", "Copy Tiles 1:1", 32, 240, 241, 17);
    auto& half = OPTION(-1, "optModRPG2K", "q6", "Copy Tiles 1:2", 32, 216, 241, 17);
    BUFFER(-1, "picOsel", "q6", 32, 24, 20, 20);
    BUTTON(-1, "CLoadQr", "q6", "Load Source Chipset", 24, 144, 121, 25);
    BUTTON(-1, "cmdChange", "q6", "Change Section", 160, 144, 129, 25).SetEnabled(false);
    BUTTON(-1, "cmdOSelGr", "q6", "Change Select-Size", 24, 176, 121, 25);
    IMAGE(-1, "imgO1", "q6", 32, 24, 106.7, 106.7);
    Add<Label>(-1, "s4", "q6", P(224, 72, 33, 49), kWhite);
    Add<Label>(-1, "s3", "q6", P(192, 72, 33, 49), kWhite);
    Add<Label>(-1, "s2", "q6", P(224, 24, 33, 49), kWhite);
    Add<Label>(-1, "s1", "q6", P(192, 24, 33, 49), kWhite);
    FRAME(pg, "z6", "Tab1", "Target", 512, 294.7, 169, 265);
    BUTTON(-1, "cmdOnew", "z6", "New Template", 24, 208, 121, 25);
    BUTTON(-1, "LoadRChip", "z6", "Load Target Chipset", 24, 176, 121, 25);
    BUTTON(-1, "SaveRChip", "z6", "Save Target Chipset", 24, 144, 121, 25);
    BUFFER(-1, "picOins", "z6", 32, 24, 20, 20);
    IMAGE(-1, "imgO2", "z6", 32, 24, 107, 107);
    // The converter's template colour, red 255, green 103, blue 139.
    BUFFER(pg, "picChip", "Tab1", 168, 350.7, 12, 17).SetPicture(Picture(Raster(2, 2, Rgb(255, 103, 139))));
    Add<Canvas>(pg, "picTemp", "Tab1", P(168, 302.7, 25, 33), BorderStyle::Raised2, kButtonFace, true);
    OptionButton::Pair(one, half);
    one.Select();
}

void frmMain::BuildMenu() {
    Add<MenuItem>(-1, "mnuDatei", "frmMain", "File");
    // The page in front's sheet and its file: the load buttons of its two
    // sides, a save to the sheet's own file, the save dialog, and going back
    // to the file (enabled only while the sheet has a file and changes).
    Add<MenuItem>(-1, "mnuOpenSource", "mnuDatei", "Open &Source...");
    Add<MenuItem>(-1, "mnuOpenTarget", "mnuDatei", "Open &Target...");
    // The last files loaded or saved, newest first; unused items have no caption.
    Add<MenuItem>(-1, "mnuRecent", "mnuDatei", "Recent &Files").SetEnabled(false);
    for (int i = 0; i < 10; ++i)
        Add<MenuItem>(-1, "mnuRecent" + std::to_string(i), "mnuRecent", "").SetEnabled(false);
    Add<MenuItem>(-1, "mnuLeerOpen", "mnuDatei", "-");
    Add<MenuItem>(-1, "mnuSave", "mnuDatei", "&Save");
    Add<MenuItem>(-1, "mnuSaveAs", "mnuDatei", "Save &As...");
    Add<MenuItem>(-1, "mnuRevert", "mnuDatei", "&Revert to Saved").SetEnabled(false);
    Add<MenuItem>(-1, "mnuLeerSave", "mnuDatei", "-");
    Add<MenuItem>(-1, "mnuBeenden", "mnuDatei", "&Exit");
    Add<MenuItem>(-1, "mnuLeer3", "mnuDatei", "-");
    Add<MenuItem>(-1, "mnuInfo", "mnuDatei", "&About");
    // Undo and redo of the page in front; their captions and enabled state
    // follow its history (Program::UpdateEditMenu).
    Add<MenuItem>(-1, "mnuEdit", "frmMain", "Edit");
    Add<MenuItem>(-1, "mnuUndo", "mnuEdit", "&Undo");
    Add<MenuItem>(-1, "mnuRedo", "mnuEdit", "&Redo");
    // Mirroring of the page in front's selection.
    Add<MenuItem>(-1, "mnuLeerFlip", "mnuEdit", "-");
    Add<MenuItem>(-1, "mnuFlipH", "mnuEdit", "Flip &Horizontal");
    Add<MenuItem>(-1, "mnuFlipV", "mnuEdit", "Flip &Vertical");
    // The selection to and from the clipboard; Paste only while it holds a picture.
    Add<MenuItem>(-1, "mnuLeerClip", "mnuEdit", "-");
    Add<MenuItem>(-1, "mnuCopy", "mnuEdit", "&Copy");
    Add<MenuItem>(-1, "mnuPaste", "mnuEdit", "&Paste");
    // The colours the engine takes: its transparent colour taken from the
    // target by the next click (checked while waiting for it), and at most
    // 256 colours.
    Add<MenuItem>(-1, "mnuReduceColours", "mnuEdit", "Reduce C&olours...");
    Add<MenuItem>(-1, "mnuPickTransparent", "mnuEdit", "Pick &Transparent Colour")
        .SetChecked(false);
    Add<MenuItem>(-1, "mnuLeerRecover", "mnuEdit", "-");
    // Enabled by the window only while sheets from an ended session wait.
    // With one, the item recovers it; with several, it holds one item for
    // each, newest first (unused items have no caption).
    Add<MenuItem>(-1, "mnuRecover", "mnuEdit", "Recover Unsaved Sheets").SetEnabled(false);
    for (int i = 0; i < 10; ++i)
        Add<MenuItem>(-1, "mnuRecover" + std::to_string(i), "mnuRecover", "").SetEnabled(false);
    Add<MenuItem>(-1, "mnuDiscardRecovered", "mnuEdit", "Discard Recovered Sheets").SetEnabled(false);
    // The charset and battle previews of the page in front: stepped by hand
    // while stopped (Shift: the source's), their facing and their speed.
    Add<MenuItem>(-1, "mnuAnimation", "frmMain", "Animation");
    Add<MenuItem>(-1, "mnuStepZForward", "mnuAnimation", "Step &Forward").SetEnabled(false);
    Add<MenuItem>(-1, "mnuStepZBack", "mnuAnimation", "Step &Back").SetEnabled(false);
    Add<MenuItem>(-1, "mnuStepQForward", "mnuAnimation", "Step Source F&orward").SetEnabled(false);
    Add<MenuItem>(-1, "mnuStepQBack", "mnuAnimation", "Step Source B&ack").SetEnabled(false);
    Add<MenuItem>(-1, "mnuLeerFacing", "mnuAnimation", "-");
    Add<MenuItem>(-1, "mnuFacing", "mnuAnimation", "F&acing");
    Add<MenuItem>(-1, "mnuFaceAll", "mnuFacing", "&All").SetChecked(true);
    Add<MenuItem>(-1, "mnuFaceUp", "mnuFacing", "&Up").SetChecked(false);
    Add<MenuItem>(-1, "mnuFaceRight", "mnuFacing", "&Right").SetChecked(false);
    Add<MenuItem>(-1, "mnuFaceDown", "mnuFacing", "&Down").SetChecked(false);
    Add<MenuItem>(-1, "mnuFaceLeft", "mnuFacing", "&Left").SetChecked(false);
    Add<MenuItem>(-1, "mnuSpeed", "mnuAnimation", "&Speed");
    Add<MenuItem>(-1, "mnuSpeedHalf", "mnuSpeed", "0.5x").SetChecked(false);
    Add<MenuItem>(-1, "mnuSpeedOne", "mnuSpeed", "1x").SetChecked(true);
    Add<MenuItem>(-1, "mnuSpeedDouble", "mnuSpeed", "2x").SetChecked(false);
    // What the window draws to help drawing frames; the sheets never hold it.
    Add<MenuItem>(-1, "mnuLeerOnion", "mnuAnimation", "-");
    Add<MenuItem>(-1, "mnuOnionSkin", "mnuAnimation", "O&nion Skin").SetChecked(false);
    Add<MenuItem>(-1, "mnuPreviewSize", "mnuAnimation", "Preview Si&ze");
    Add<MenuItem>(-1, "mnuPreviewOne", "mnuPreviewSize", "1x").SetChecked(true);
    Add<MenuItem>(-1, "mnuPreviewTwo", "mnuPreviewSize", "2x").SetChecked(false);
    Add<MenuItem>(-1, "mnuPreviewThree", "mnuPreviewSize", "3x").SetChecked(false);
    Add<MenuItem>(-1, "mnuPreviewFour", "mnuPreviewSize", "4x").SetChecked(false);
    Add<MenuItem>(-1, "mnuPreviewBack", "mnuAnimation", "Preview Bac&kground");
    Add<MenuItem>(-1, "mnuBackWindow", "mnuPreviewBack", "Window").SetChecked(true);
    Add<MenuItem>(-1, "mnuBackChecker", "mnuPreviewBack", "Checkerboard").SetChecked(false);
    Add<MenuItem>(-1, "mnuBackTile", "mnuPreviewBack", "Chipset Tile").SetChecked(false);
}

}  // namespace tw
