// The text form of session steps. Every kind lists the fields it uses; the
// printer writes exactly those as key=value, and the parser reads them back,
// so that ParseStep(ToText(step)) gives the same step.
#include "SessionSteps.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <sstream>
#include <stdexcept>

namespace velmora::session {
namespace {

template <typename E>
struct Named {
    E Value;
    std::string_view Name;
};

template <typename E, std::size_t N>
std::string_view NameOf(const std::array<Named<E>, N>& table, E value) {
    return std::ranges::find(table, value, &Named<E>::Value)->Name;
}

template <typename E, std::size_t N>
std::optional<E> ValueOf(const std::array<Named<E>, N>& table, std::string_view name) {
    const auto found = std::ranges::find(table, name, &Named<E>::Name);
    return found == table.end() ? std::nullopt : std::optional<E>(found->Value);
}

enum Uses : unsigned {
    kNone = 0,
    kScroll = 1u << 0,  // bar, by and, for a drag, to
    kLayout = 1u << 1,
    kItem = 1u << 2,
    kAnswer = 1u << 3,
    kSave = 1u << 4,   // save-as and size-limit
    kOpen = 1u << 5,   // file and, for a generated one, its description
    kWheel = 1u << 6,  // notches, and for a scroll bar its bar
    kKey = 1u << 7,
    kDouble = 1u << 8,  // may be taken by a double click
    kDrop = 1u << 9,    // what is dropped, and for a map file the file
};

struct KindRow {
    StepKind Kind;
    std::string_view Name;
    std::string_view NumberKey;  // empty: the kind has no number
    unsigned Fields;
};

constexpr std::array<KindRow, 33> kKinds{{
    {StepKind::PointAtViewCell, "point-cell", "cell", kNone},
    {StepKind::PointAtPanel, "point-panel", "control", kNone},
    {StepKind::PointAtBackground, "point-background", "place", kNone},
    {StepKind::ClickViewCell, "click-cell", "cell", kDouble},
    {StepKind::ScrollMap, "scroll-map", "", kScroll},
    {StepKind::ScrollOverview, "scroll-overview", "", kScroll},
    {StepKind::ChooseLayout, "layout", "", kLayout | kDouble},
    {StepKind::ChooseTileSet, "tile-set", "set", kDouble},
    {StepKind::ToggleOverview, "overview-button", "", kNone},
    {StepKind::Activate, "activate", "", kNone},
    {StepKind::OpenCredits, "credits", "", kDouble},
    {StepKind::CloseCredits, "close-credits", "", kNone},
    {StepKind::NewMap, "new-map", "", kAnswer | kSave | kDouble},
    {StepKind::OpenMap, "open-map", "", kAnswer | kSave | kOpen | kDouble},
    {StepKind::SaveMap, "save-map", "", kSave | kDouble},
    {StepKind::SaveMapAs, "save-map-as", "", kSave | kDouble},
    {StepKind::Exit, "exit", "", kAnswer | kSave | kDouble},
    {StepKind::PointAtSlot, "point-slot", "slot", kNone},
    {StepKind::PointAtPaletteBackground, "point-palette-background", "", kNone},
    {StepKind::ClickSlot, "click-slot", "slot", kDouble},
    {StepKind::RightClickSlot, "right-click-slot", "slot", kItem | kDouble},
    {StepKind::ClosePalette, "close-palette", "", kNone},
    {StepKind::ClickRadio, "radio", "item", kNone},
    {StepKind::ClickOkay, "okay", "", kNone},
    {StepKind::CloseNewMap, "close-new-map", "", kNone},
    {StepKind::WheelMap, "wheel-map", "", kWheel},
    {StepKind::WheelOverview, "wheel-overview", "", kWheel},
    {StepKind::WheelCell, "wheel-cell", "cell", kWheel},
    {StepKind::WheelSlot, "wheel-slot", "slot", kWheel},
    {StepKind::KeyInFront, "key", "", kKey},
    {StepKind::KeyInMain, "key-main", "", kKey},
    {StepKind::Start, "start", "", kOpen},
    {StepKind::Drop, "drop", "", kDrop | kAnswer | kSave},
}};

const KindRow& RowOf(StepKind kind) {
    return *std::ranges::find(kKinds, kind, &KindRow::Kind);
}

constexpr std::array<Named<Bar>, 2> kBars{{
    {Bar::Horizontal, "horizontal"},
    {Bar::Vertical, "vertical"},
}};

constexpr std::array<Named<ScrollBy>, 7> kScrollBys{{
    {ScrollBy::ArrowForward, "arrow+"},
    {ScrollBy::ArrowBack, "arrow-"},
    {ScrollBy::PageForward, "page+"},
    {ScrollBy::PageBack, "page-"},
    {ScrollBy::Start, "start"},
    {ScrollBy::End, "end"},
    {ScrollBy::Drag, "drag"},
}};

constexpr std::array<Named<Key>, 17> kKeys{{
    {Key::Tab, "tab"},
    {Key::Backtab, "shift+tab"},
    {Key::Left, "left"},
    {Key::Right, "right"},
    {Key::Up, "up"},
    {Key::Down, "down"},
    {Key::PageUp, "page-up"},
    {Key::PageDown, "page-down"},
    {Key::Home, "home"},
    {Key::End, "end"},
    {Key::Enter, "enter"},
    {Key::Escape, "escape"},
    {Key::Space, "space"},
    {Key::LetterM, "m"},
    {Key::LetterO, "o"},
    {Key::LetterQ, "q"},
    {Key::AltF4, "alt+f4"},
}};

constexpr std::array<Named<ScreenLayout>, 3> kLayouts{{
    {ScreenLayout::Small, "small"},
    {ScreenLayout::Medium, "medium"},
    {ScreenLayout::Large, "large"},
}};

constexpr std::array<Named<Answer>, 2> kAnswers{{
    {Answer::Ok, "ok"},
    {Answer::Cancel, "cancel"},
}};

constexpr std::array<Named<SaveTarget>, 7> kSaveTargets{{
    {SaveTarget::Cancel, "cancel"},
    {SaveTarget::A, "a"},
    {SaveTarget::B, "b"},
    {SaveTarget::C, "c"},
    {SaveTarget::Folder, "folder"},
    {SaveTarget::MissingFolder, "missing-folder"},
    {SaveTarget::FullDisk, "full-disk"},
}};

constexpr std::array<Named<DropPayload>, 5> kPayloads{{
    {DropPayload::MapFile, "map-file"},
    {DropPayload::SeveralFiles, "several-files"},
    {DropPayload::Folder, "folder"},
    {DropPayload::OtherFile, "other-file"},
    {DropPayload::Text, "text"},
}};

constexpr std::array<Named<OpenSource>, 9> kOpenSources{{
    {OpenSource::Cancel, "cancel"},
    {OpenSource::A, "a"},
    {OpenSource::B, "b"},
    {OpenSource::C, "c"},
    {OpenSource::Absent, "absent"},
    {OpenSource::MissingFolder, "missing-folder"},
    {OpenSource::Folder, "folder"},
    {OpenSource::Generated, "generated"},
    {OpenSource::GeneratedCaps, "generated-caps"},
}};

constexpr std::array<Named<FileLength>, 6> kFileLengths{{
    {FileLength::Full, "full"},
    {FileLength::GridOnly, "grid-only"},
    {FileLength::GridAndTileSet, "grid+tile-set"},
    {FileLength::CutInTrailer, "cut-in-trailer"},
    {FileLength::Extra, "extra"},
    {FileLength::Short, "short"},
}};

constexpr std::array<Named<FileVersion>, 4> kFileVersions{{
    {FileVersion::Older, "older"},
    {FileVersion::Own, "own"},
    {FileVersion::Newer, "newer"},
    {FileVersion::PackedNewer, "packed-newer"},
}};

template <typename Integer>
Integer NumberOf(std::string_view key, const std::string& text) {
    Integer value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        throw std::invalid_argument(std::string(key) + " is no number: " + text);
    }
    return value;
}

// The key=value pairs of one line, taken out one by one; what is left over
// at the end was not expected.
class Fields {
public:
    explicit Fields(std::map<std::string, std::string, std::less<>> pairs)
        : pairs_(std::move(pairs)) {}

    std::string Take(std::string_view key) {
        const auto found = pairs_.find(key);
        if (found == pairs_.end()) {
            throw std::invalid_argument("missing " + std::string(key));
        }
        std::string value = found->second;
        pairs_.erase(found);
        return value;
    }
    bool TakeFlag(std::string_view key) {
        if (!pairs_.contains(key)) {
            return false;
        }
        if (Take(key) != "yes") {
            throw std::invalid_argument(std::string(key) + " takes only yes");
        }
        return true;
    }
    template <typename Integer>
    Integer TakeNumber(std::string_view key) {
        return NumberOf<Integer>(key, Take(key));
    }
    template <typename E, std::size_t N>
    E TakeName(std::string_view key, const std::array<Named<E>, N>& table) {
        const std::string text = Take(key);
        if (const std::optional<E> value = ValueOf(table, text)) {
            return *value;
        }
        throw std::invalid_argument("unknown " + std::string(key) + " " + text);
    }
    void ExpectNoneLeft() const {
        if (!pairs_.empty()) {
            throw std::invalid_argument("unexpected " + pairs_.begin()->first);
        }
    }

private:
    std::map<std::string, std::string, std::less<>> pairs_;
};

void ReadGeneratedMap(Fields& fields, GeneratedMap& file) {
    file.Length = fields.TakeName("length", kFileLengths);
    if (file.Length == FileLength::Short) {
        file.ShortBytes = fields.TakeNumber<int>("bytes");
    }
    file.TileSet = fields.TakeNumber<std::int32_t>("tile-set");
    file.Version = fields.TakeName("version", kFileVersions);
    file.Seed = fields.TakeNumber<std::uint32_t>("seed");
}

Step ReadStep(std::string_view line) {
    std::istringstream words{std::string(line)};
    std::string kindName;
    words >> kindName;
    const auto row = std::ranges::find(kKinds, kindName, &KindRow::Name);
    if (row == kKinds.end()) {
        throw std::invalid_argument("unknown step " + kindName);
    }
    std::map<std::string, std::string, std::less<>> pairs;
    for (std::string word; words >> word;) {
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos) {
            throw std::invalid_argument("expected key=value: " + word);
        }
        pairs[word.substr(0, equals)] = word.substr(equals + 1);
    }

    Fields fields(std::move(pairs));
    Step step;
    step.Kind = row->Kind;
    if (!row->NumberKey.empty()) {
        step.Number = fields.TakeNumber<int>(row->NumberKey);
    }
    if (row->Fields & kScroll) {
        step.Bar = fields.TakeName("bar", kBars);
        step.By = fields.TakeName("by", kScrollBys);
        if (step.By == ScrollBy::Drag) {
            step.To = fields.TakeNumber<int>("to");
        }
    }
    if (row->Fields & kWheel) {
        if (step.Kind == StepKind::WheelMap || step.Kind == StepKind::WheelOverview) {
            step.Bar = fields.TakeName("bar", kBars);
        }
        step.Notches = fields.TakeNumber<int>("notches");
    }
    if (row->Fields & kKey) {
        step.Key = fields.TakeName("key", kKeys);
    }
    if (row->Fields & kDouble) {
        step.Double = fields.TakeFlag("double");
    }
    if (row->Fields & kLayout) {
        step.Layout = fields.TakeName("layout", kLayouts);
    }
    if (row->Fields & kItem) {
        const std::string item = fields.Take("item");
        step.Item = item == "none" ? -1 : NumberOf<int>("item", item);
    }
    if (row->Fields & kAnswer) {
        step.Answer = fields.TakeName("answer", kAnswers);
    }
    if (row->Fields & kSave) {
        step.Save = fields.TakeName("save-as", kSaveTargets);
        step.SizeLimit = fields.TakeFlag("size-limit");
    }
    if (row->Fields & kDrop) {
        step.Payload = fields.TakeName("what", kPayloads);
    }
    if (row->Fields & kOpen || (row->Fields & kDrop && step.Payload == DropPayload::MapFile)) {
        step.Open = fields.TakeName("file", kOpenSources);
        if (OffersGeneratedFile(step)) {
            ReadGeneratedMap(fields, step.File);
        }
    }
    fields.ExpectNoneLeft();
    return step;
}

}  // namespace

bool MayChangeGrid(StepKind kind) {
    return kind == StepKind::ClickSlot || kind == StepKind::NewMap || kind == StepKind::OpenMap ||
           kind == StepKind::Start || kind == StepKind::Drop;
}

bool TakesDoubleClick(StepKind kind) {
    return (RowOf(kind).Fields & kDouble) != 0;
}

bool OffersGeneratedFile(const Step& step) {
    const unsigned fields = RowOf(step.Kind).Fields;
    const bool opens = fields & kOpen || (fields & kDrop && step.Payload == DropPayload::MapFile);
    return opens && (step.Open == OpenSource::Generated || step.Open == OpenSource::GeneratedCaps);
}

std::string ToText(const Step& step) {
    const KindRow& row = RowOf(step.Kind);
    std::ostringstream text;
    text << row.Name;
    if (!row.NumberKey.empty()) {
        text << ' ' << row.NumberKey << '=' << step.Number;
    }
    if (row.Fields & kScroll) {
        text << " bar=" << NameOf(kBars, step.Bar) << " by=" << NameOf(kScrollBys, step.By);
        if (step.By == ScrollBy::Drag) {
            text << " to=" << step.To;
        }
    }
    if (row.Fields & kWheel) {
        if (step.Kind == StepKind::WheelMap || step.Kind == StepKind::WheelOverview) {
            text << " bar=" << NameOf(kBars, step.Bar);
        }
        text << " notches=" << step.Notches;
    }
    if (row.Fields & kKey) {
        text << " key=" << NameOf(kKeys, step.Key);
    }
    if (row.Fields & kDouble && step.Double) {
        text << " double=yes";
    }
    if (row.Fields & kLayout) {
        text << " layout=" << NameOf(kLayouts, step.Layout);
    }
    if (row.Fields & kItem) {
        text << " item=";
        step.Item < 0 ? text << "none" : text << step.Item;
    }
    if (row.Fields & kAnswer) {
        text << " answer=" << NameOf(kAnswers, step.Answer);
    }
    if (row.Fields & kSave) {
        text << " save-as=" << NameOf(kSaveTargets, step.Save);
        if (step.SizeLimit) {
            text << " size-limit=yes";
        }
    }
    if (row.Fields & kDrop) {
        text << " what=" << NameOf(kPayloads, step.Payload);
    }
    if (row.Fields & kOpen || (row.Fields & kDrop && step.Payload == DropPayload::MapFile)) {
        text << " file=" << NameOf(kOpenSources, step.Open);
        if (OffersGeneratedFile(step)) {
            const GeneratedMap& file = step.File;
            text << " length=" << NameOf(kFileLengths, file.Length);
            if (file.Length == FileLength::Short) {
                text << " bytes=" << file.ShortBytes;
            }
            text << " tile-set=" << file.TileSet
                 << " version=" << NameOf(kFileVersions, file.Version) << " seed=" << file.Seed;
        }
    }
    return text.str();
}

std::string ToText(std::span<const Step> steps) {
    std::string text;
    for (const Step& step : steps) {
        text += ToText(step);
        text += '\n';
    }
    return text;
}

std::optional<Step> ParseStep(std::string_view line, std::string& error) {
    try {
        return ReadStep(line);
    } catch (const std::invalid_argument& problem) {
        error = problem.what();
        return std::nullopt;
    }
}

std::vector<Step> ParseSteps(std::string_view text) {
    std::vector<Step> steps;
    std::istringstream lines{std::string(text)};
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') {
            continue;
        }
        std::string error;
        const std::optional<Step> step = ParseStep(std::string_view(line).substr(first), error);
        if (!step) {
            throw std::invalid_argument("line " + std::to_string(number) + ": " + error + ": " +
                                        line);
        }
        steps.push_back(*step);
    }
    return steps;
}

}  // namespace velmora::session
