#include "runner/batch_runner.h"

#include <istream>
#include <ostream>

#include "runner/describe_control.h"
#include "imagefiles/dump_picture.h"
#include "runner/script_line.h"

namespace tw {
namespace {

// Nobody is there to click the About window: it opens and closes at once.
class ClosingAboutHost : public AboutHost {
public:
    void ShowModal(frmAbout& about) override { about.Unloaded = true; }
};

// The most ticks one line may ask for: a running timer does work on each.
constexpr long kMaxTicks = 10'000'000;

// `message` with its raw quote of `token` cut to the form messages use.
std::string WithQuotedToken(std::string message, const std::string& token) {
    const std::string raw = "'" + token + "'";
    if (const size_t at = message.find(raw); at != std::string::npos)
        message.replace(at, raw.size(), QuoteToken(token));
    return message;
}

// "#RRGGBB", six hex digits, either case.
bool ParseHexColour(const std::string& s, Pixel& colour) {
    if (s.size() != 7 || s[0] != '#') return false;
    colour = 0;
    for (char c : s.substr(1)) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) return false;
        colour = colour << 4 | static_cast<Pixel>(digit);
    }
    return true;
}

std::string Describe(EventResult r, const std::string& name, const char* event) {
    switch (r) {
        case EventResult::Handled:
        case EventResult::Ignored: return "";
        case EventResult::NoSuchControl: return "no control named " + QuoteToken(name);
        case EventResult::WrongKind: return QuoteToken(name) + " has no " + event + " handler";
    }
    return "";
}

}  // namespace

BatchRunner::BatchRunner(std::string scriptName, std::ostream& out, std::ostream& err)
    : scriptName_(std::move(scriptName)), out_(out), err_(err),
      dialog_([this](const std::string& m) { Warn(m); }),
      about_(std::make_unique<ClosingAboutHost>()),
      program_(std::make_unique<Program>(dialog_, *about_)) {
    // A file that fails is the user's input, not a script error: say why and
    // go on with the next line.
    program_->Files().OnResult([this](const FileResult& r) {
        if (r.Failed()) err_ << r.Message() << "\n";
    });
    // So is a picture that did not fit its sheet: it loaded, with a warning.
    program_->OnLoadWarning([this](const std::string& path, const std::string& note) {
        err_ << "load " << path << ": " << note << "\n";
    });
    program_->Load();
}

BatchRunner::~BatchRunner() = default;

void BatchRunner::Warn(const std::string& message) {
    err_ << scriptName_ << ":" << lineNo_ << ": warning: " << message << "\n";
}

int BatchRunner::Run(std::istream& script) {
    std::string line;
    while (!ended_) {
        const LineRead read = ReadScriptLine(script, line);
        if (read == LineRead::End) break;
        if (read == LineRead::Failed) {
            out_.flush();
            err_ << scriptName_ << ": cannot read the script\n";
            return 2;
        }
        ++lineNo_;
        std::string error;
        if (read == LineRead::TooLong) {
            error = "line longer than 1 MiB";
        } else {
            auto tokens = SplitScriptLine(line, error);
            if (tokens && (tokens->empty() || (*tokens)[0].starts_with("#"))) continue;
            if (tokens) error = Execute(*tokens);
        }
        if (!error.empty()) {
            out_.flush();
            err_ << scriptName_ << ":" << lineNo_ << ": " << error << "\n";
            return 2;
        }
    }
    out_.flush();
    return 0;
}

std::string BatchRunner::Execute(const std::vector<std::string>& t) {
    const std::string& cmd = t[0];
    const size_t n = t.size();
    const auto arity = [&](size_t lo, size_t hi, const char* usage) -> std::string {
        if (n < lo || n > hi) return std::string("usage: ") + usage;
        return "";
    };
    if (cmd == "file") {
        if (auto e = arity(2, 2, "file PATH"); !e.empty()) return e;
        dialog_.QueueFile(t[1]);
        return "";
    }
    if (cmd == "cancel") {
        if (auto e = arity(1, 1, "cancel"); !e.empty()) return e;
        dialog_.QueueCancel();
        return "";
    }
    if (cmd == "echo") {
        for (size_t i = 1; i < n; ++i) out_ << (i > 1 ? " " : "") << t[i];
        out_ << "\n";
        return "";
    }
    if (cmd == "state") {
        if (auto e = arity(1, 1, "state"); !e.empty()) return e;
        for (const auto& [name, value] : program_->Form().State.Items())
            out_ << name << "=" << value << "\n";
        return "";
    }
    if (cmd == "show") {
        if (auto e = arity(2, 2, "show NAME"); !e.empty()) return e;
        return Show(t[1]);
    }
    if (cmd == "dump") {
        if (auto e = arity(3, 3, "dump NAME PATH"); !e.empty()) return e;
        return Dump(t[1], t[2]);
    }
    if (cmd == "click") {
        if (auto e = arity(2, 2, "click NAME"); !e.empty()) return e;
        const std::string err = Describe(program_->Click(t[1]), t[1], "click");
        if (err.empty() && program_->Form().Unloaded) ended_ = true;
        return err;
    }
    if (cmd == "down" || cmd == "move" || cmd == "up") {
        // A release names its button the way a press does.
        const bool down = cmd == "down" || cmd == "up";
        const bool up = cmd == "up";
        if (auto e = arity(5, 6, up     ? "up NAME BUTTON X Y [SHIFT]"
                                 : down ? "down NAME BUTTON X Y [SHIFT]"
                                        : "move NAME BUTTONS X Y [SHIFT]");
            !e.empty())
            return e;
        long button = 0, shift = 0;
        float x = 0, y = 0;
        if (!ParseScriptInt(t[2], button) || (down ? (button != 1 && button != 2 && button != 4)
                                             : (button < 0 || button > 7)))
            return down ? "BUTTON must be 1, 2 or 4, not " + QuoteToken(t[2])
                        : "BUTTONS must be a mask from 0 to 7, not " + QuoteToken(t[2]);
        if (!ParseScriptCoordinate(t[3], x)) return "X must be a finite number, not " + QuoteToken(t[3]);
        if (!ParseScriptCoordinate(t[4], y)) return "Y must be a finite number, not " + QuoteToken(t[4]);
        if (n == 6 && (!ParseScriptInt(t[5], shift) || shift < 0 || shift > 7))
            return "SHIFT must be a mask from 0 to 7, not " + QuoteToken(t[5]);
        const auto r = up     ? program_->MouseUp(t[1], button, shift, x, y)
                       : down ? program_->MouseDown(t[1], button, shift, x, y)
                              : program_->MouseMove(t[1], button, shift, x, y);
        return Describe(r, t[1], up ? "mouse-up" : down ? "mouse-down" : "mouse-move");
    }
    if (cmd == "scroll") {
        if (auto e = arity(4, 4, "scroll NAME X Y"); !e.empty()) return e;
        float x = 0, y = 0;
        if (!ParseScriptCoordinate(t[2], x)) return "X must be a finite number, not " + QuoteToken(t[2]);
        if (!ParseScriptCoordinate(t[3], y)) return "Y must be a finite number, not " + QuoteToken(t[3]);
        const auto r = program_->Scroll(t[1], x, y);
        if (r == EventResult::WrongKind) return QuoteToken(t[1]) + " is not a source that scrolls";
        return Describe(r, t[1], "scroll");
    }
    if (cmd == "tab") {
        if (auto e = arity(3, 3, "tab NAME INDEX"); !e.empty()) return e;
        if (t[1] != "Tab1" && t[1] != "Tab2") return "NAME must be Tab1 or Tab2, not " + QuoteToken(t[1]);
        const auto& tabs = program_->Form().Get<TabControl>(t[1]);
        long index = 0;
        if (!ParseScriptInt(t[2], index) || index < 0 ||
            index >= static_cast<long>(tabs.Captions().size()))
            return "INDEX of " + t[1] + " must be from 0 to " +
                   std::to_string(tabs.Captions().size() - 1) + ", not " + QuoteToken(t[2]);
        return Describe(program_->SelectTab(t[1], static_cast<int>(index)), t[1], "tab");
    }
    if (cmd == "transparent") {
        if (auto e = arity(4, 4, "transparent NAME X Y"); !e.empty()) return e;
        float x = 0, y = 0;
        if (!ParseScriptCoordinate(t[2], x))
            return "X must be a finite number, not " + QuoteToken(t[2]);
        if (!ParseScriptCoordinate(t[3], y))
            return "Y must be a finite number, not " + QuoteToken(t[3]);
        const EventResult r = program_->PickTransparent(t[1], x, y);
        if (r == EventResult::WrongKind) return QuoteToken(t[1]) + " is not a target";
        return Describe(r, t[1], "transparent");
    }
    if (cmd == "reduce") {
        if (auto e = arity(3, 3, "reduce NAME N"); !e.empty()) return e;
        long colours = 0;
        if (!ParseScriptInt(t[2], colours) || colours < 2 || colours > 256)
            return "N must be a whole number from 2 to 256, not " + QuoteToken(t[2]);
        const EventResult r = program_->ReduceColours(t[1], static_cast<int>(colours));
        if (r == EventResult::WrongKind) return QuoteToken(t[1]) + " is not a target";
        return Describe(r, t[1], "reduce");
    }
    if (cmd == "merge") {
        if (auto e = arity(4, 4, "merge NAME #RRGGBB #RRGGBB"); !e.empty()) return e;
        Pixel colours[2] = {};
        for (int i = 0; i < 2; ++i)
            if (!ParseHexColour(t[2 + i], colours[i]))
                return std::string(i == 0 ? "the first" : "the second") +
                       " colour must be #RRGGBB, not " + QuoteToken(t[2 + i]);
        const EventResult r = program_->MergeColours(t[1], colours[0], colours[1]);
        if (r == EventResult::WrongKind) return QuoteToken(t[1]) + " is not a target";
        return Describe(r, t[1], "merge");
    }
    if (cmd == "tick") {
        if (auto e = arity(2, 3, "tick NAME [N]"); !e.empty()) return e;
        long count = 1;
        if (n == 3 && (!ParseScriptInt(t[2], count) || count < 0 || count > kMaxTicks))
            return "N must be a whole number from 0 to 10000000, not " + QuoteToken(t[2]);
        Control* c = program_->Form().Find(t[1]);
        if (!c) return "no control named " + QuoteToken(t[1]);
        if (c->Kind() != ControlKind::Timer) return QuoteToken(t[1]) + " is not a timer";
        for (long i = 0; i < count; ++i) {
            const auto r = program_->Tick(t[1]);
            if (r != EventResult::Handled) return Describe(r, t[1], "timer");
        }
        return "";
    }
    return "unknown command " + QuoteToken(cmd);
}

std::string BatchRunner::Show(const std::string& name) {
    if (name == "StatusBar") {
        out_ << DescribeStatusBar(program_->Status().OutcomeText()) << "\n";
        return "";
    }
    if (name == "Title") {
        out_ << DescribeTitle(program_->Title()) << "\n";
        return "";
    }
    if (name == "Colours") {
        out_ << program_->ColoursLine() << "\n";
        return "";
    }
    if (name == "CurrentImage") {
        out_ << DescribeCurrentImage(program_->Files().CurrentImage) << "\n";
        return "";
    }
    const Control* c = program_->Form().Find(name);
    if (!c) return "no control named " + QuoteToken(name);
    out_ << DescribeControl(*c) << "\n";
    return "";
}

std::string BatchRunner::Dump(const std::string& name, const std::string& path) {
    if (name == "CurrentImage") {
        ImageDescriptor& image = program_->Files().CurrentImage;
        if (!image.bmh) return "CurrentImage holds no image";
        ImageDescriptor copy{};
        if (dibtoimage(image.bmh, &copy) != 0 || !copy.hBitmap) return "cannot read CurrentImage";
        const std::string err = DumpRaster(*copy.hBitmap, path);
        freeimage(&copy);
        return WithQuotedToken(err, path);
    }
    const Control* c = program_->Form().Find(name);
    if (!c) return "no control named " + QuoteToken(name);
    if (c->Kind() == ControlKind::PictureBox)
        return WithQuotedToken(DumpRaster(static_cast<const Surface*>(c)->View(), path), path);
    if (c->Kind() == ControlKind::Image) {
        const Picture& p = static_cast<const ImageView*>(c)->GetPicture();
        if (p.IsEmpty()) return QuoteToken(name) + " shows no picture";
        return WithQuotedToken(DumpRaster(*p.raster(), path), path);
    }
    return QuoteToken(name) + " is not a picture box or image view";
}

}  // namespace tw
