#include "frontend/GameForm.h"

#include "frontend/KeyCommands.h"
#include "frontend/LiveMedia.h"
#include "frontend/Menu.h"
#include "frontend/MenuLayout.h"
#include "media/ErrorLog.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"
#include "platform/Surface.h"

namespace gorb {

namespace {

std::string KeyFor(std::string_view name, Integer index) {
    std::string key(name);
    if (index >= 0) {
        key.push_back('(');
        key.append(std::to_string(index));
        key.push_back(')');
    }
    return key;
}

FontSpec MenuFont(ControlKind kind) {
    FontSpec font;
    font.Name = std::string(kMenuFontName);
    font.Size = kind == ControlKind::CommandButton ? kCommandFontSize : kSmallFontSize;
    font.Bold = false;
    return font;
}

// The picture stored with a control; none when the build carries no such picture.
void LoadControlPicture(PictureBox& box, std::string_view name) {
    if (!res::HasBitmap(name)) return;
    SurfaceRef picture = Surface::FromBitmap(res::FindBitmap(name), 32);
    box.SetPicture(picture->Sdl());
}

}  // namespace

GameForm::GameForm(ProgramSeams seams)
    : Seams(std::move(seams)), Win(FormKind::Screen, 640, 480), G(std::make_unique<Game>()) {
    if (!Seams.ListModes) Seams.ListModes = [](int32_t i, DisplayModeRecord& m) { return EnumDisplaySettings(i, m); };
    if (!Seams.DeviceCaps) Seams.DeviceCaps = [](int32_t i) { return GetDeviceCaps(i); };
    if (!Seams.DisplayProblem) Seams.DisplayProblem = [] { return gorb::DisplayProblem(); };
    // A message no box can show goes into the error log besides stderr.
    SetUnshownMessageSink([](const std::string& text) { AddToErrorLog(text); });
    Win.SetCaption(std::string(kMainFormCaption));
    Win.SetBackColor(Rgb{0, 0, 0});
    BuildControls();
    WireEvents();
    Port = MakeFormMediaPort(*this);
    G->Media = Port.get();
}

GameForm::~GameForm() { SetUnshownMessageSink(nullptr); }

void GameForm::BuildControls() {
    std::map<std::string, OptionGroup*, std::less<>> groups;
    std::vector<CaptionSlot> commandCaptions, smallCaptions;
    for (const ControlSpec& spec : MenuControls()) {
        Container* parent = &Win;
        if (!spec.Parent.empty()) parent = FindFrame(spec.Parent);
        Control* c = nullptr;
        switch (spec.Kind) {
            case ControlKind::Timer: {
                StartTimer = &Win.AddTimer();
                StartTimer->SetInterval(1000);
                StartTimer->SetEnabled(false);
                continue;
            }
            case ControlKind::Picture: {
                auto& p = parent->Add<PictureBox>();
                LoadControlPicture(p, spec.Name);
                c = &p;
                break;
            }
            case ControlKind::CommandButton: c = &parent->Add<CommandButton>(); break;
            case ControlKind::Frame: c = &parent->Add<Frame>(); break;
            case ControlKind::Label: {
                auto& l = parent->Add<Label>();
                l.SetAlignment(Label::Alignment::Center);
                l.SetForeColor(Rgb{kLabelGrey, kLabelGrey, kLabelGrey});
                c = &l;
                break;
            }
            case ControlKind::CheckBox: c = &parent->Add<CheckBox>(); break;
            case ControlKind::OptionButton: {
                OptionGroup*& g = groups[std::string(spec.Name)];
                if (!g) g = &Win.AddOptionGroup();
                c = &g->Add(*parent);
                break;
            }
        }
        c->Name = KeyFor(spec.Name, spec.Index);
        c->SetCaption(std::string(spec.Caption));
        c->SetFont(MenuFont(spec.Kind));
        c->Move(spec.Left, spec.Top, spec.Width, spec.Height);
        c->SetEnabled(spec.Enabled);
        c->SetVisible(spec.Visible);
        byName_[c->Name] = c;
        (spec.Kind == ControlKind::CommandButton ? commandCaptions : smallCaptions)
            .push_back({c, MaxCaptionLines(spec)});
        if (spec.Kind == ControlKind::Frame) {
            // The frame's picture fills it; its other controls lie on that picture.
            auto& back = static_cast<Frame*>(c)->Add<PictureBox>();
            back.Name = c->Name + ".picture";
            back.Move(0, 0, spec.Width, spec.Height);
            LoadControlPicture(back, spec.Name);
        }
    }

    // The layout's font sizes, or smaller ones where a caption would not fit its control with the
    // face this machine has (one size for each kind of text, so the panels stay even).
    for (auto* captions : {&commandCaptions, &smallCaptions}) {
        FontSpec font = FitCaptionFont(captions->front().control->Font(), *captions);
        for (const CaptionSlot& slot : *captions) slot.control->SetFont(font);
    }

    auto button = [&](const char* n) { return static_cast<CommandButton*>(Find(n)); };
    auto check = [&](const char* n) { return static_cast<CheckBox*>(Find(n)); };
    picIntro = static_cast<PictureBox*>(Find("picIntro"));
    cmdConfig = button("cmdConfig");
    cmdGame = button("cmdGame");
    cmdMisc = button("cmdMisc");
    cmdExit = button("cmdExit");
    cmdBegin = button("cmdBegin");
    frameColor = FindFrame("frameColor");
    frameRes = FindFrame("frameRes");
    frameControls = FindFrame("frameControls");
    frameGamePlay = FindFrame("frameGamePlay");
    FrameLevel = FindFrame("FrameLevel");
    frameDifficulty = FindFrame("frameDifficulty");
    framePerformance = FindFrame("framePerformance");
    framePreference = FindFrame("framePreference");
    optColor = groups["optColor"];
    optRes = groups["optRes"];
    optControls = groups["optControls"];
    optPlay = groups["optPlay"];
    optLevel = groups["optLevel"];
    optDifficulty = groups["optDifficulty"];
    optPilot = groups["optPilot"];
    chkFire = check("chkFire");
    chkBack = check("chkBack");
    chkCollision = check("chkCollision");
    chkOverload = check("chkOverload");
}

void GameForm::WireEvents() {
    GameForm& f = *this;
    Win.OnLoad = [&f] { Form_Load(f); };
    Win.OnUnload = [&f](Integer& cancel) { Form_Unload(f, cancel); };
    Win.OnKeyPress = [&f](Integer& key) { Form_KeyPress(f, key); };

    cmdExit->OnClick = [&f] { cmdExit_Click(f); };
    cmdBegin->OnClick = [&f] { cmdBegin_Click(f); };
    cmdConfig->OnClick = [&f] { cmdConfig_Click(f); };
    cmdGame->OnClick = [&f] { cmdGame_Click(f); };
    cmdMisc->OnClick = [&f] { cmdMisc_Click(f); };
    // Esc in the menu does not end the program: Esc is the abandon key of a game, and a
    // player pressing it once too often after a game would otherwise lose the program.
    cmdExit->Cancel = false;

    chkFire->OnClick = [&f] { chkFire_Click(f); };
    chkBack->OnClick = [&f] { chkBack_Click(f); };
    chkCollision->OnClick = [&f] { chkCollision_Click(f); };
    chkOverload->OnClick = [&f] { chkOverload_Click(f); };

    optColor->OnClick = [&f](Integer i) { optColor_Click(f, i); };
    optRes->OnClick = [&f](Integer i) { optRes_Click(f, i); };
    optControls->OnClick = [&f](Integer i) { optControls_Click(f, i); };
    optPlay->OnClick = [&f](Integer i) { optPlay_Click(f, i); };
    optLevel->OnClick = [&f](Integer i) { optLevel_Click(f, i); };
    optDifficulty->OnClick = [&f](Integer i) { optDifficulty_Click(f, i); };
    optPilot->OnClick = [&f](Integer i) { optPilot_Click(f, i); };
    StartTimer->OnTimer = [&f] { StartTimer_Timer(f); };

    Media.Hooks.MessageBox = [&f](const std::string& text) { f.ShowMessage(text); };
    Media.Hooks.UnloadMainForm = [&f] { f.UnloadWithStatus(kExitSetupFailed); };
    Media.Hooks.PrepareMainWindow = [&f] { f.Win.SetBackColor(Rgb{0, 0, 0}); };
    Media.Hooks.OnStep = [&f](std::string_view step) {
        if (f.Seams.OnMediaStep) f.Seams.OnMediaStep(step);
    };
}

Control* GameForm::Find(std::string_view name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

Frame* GameForm::FindFrame(std::string_view name) const {
    Control* c = Find(name);
    return c ? c->AsFrame() : nullptr;
}

void GameForm::Show() {
    Win.Show();
    if (Win.Visible() && cmdBegin->Visible()) cmdBegin->SetFocus();
}

void GameForm::PlaySound(int number) {
    if (!SoundReady()) return;
    Media.Sound.SoundBuffers.at(static_cast<size_t>(number)).Play();
}

void GameForm::ShowMessage(const std::string& text) { MsgBox(text); }

void GameForm::UnloadWithStatus(int status) {
    ExitStatus = status;
    Win.Unload();
}

}  // namespace gorb
