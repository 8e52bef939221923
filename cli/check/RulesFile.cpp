// Reading the rules file with toml++: every key of every rule is looked at, so
// that a misspelt key is an error rather than a rule that silently checks
// nothing.
#include "cli/check/RulesFile.h"

#include "cli/CommandErrors.h"
#include "cli/MapInput.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileTables.h"

#include <QDir>
#include <QFileInfo>

#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>
#include <set>

namespace velmora {
namespace {

// Every key a rule may have, and the kinds they make.
constexpr const char* kRuleKeys[] = {"name",  "maps",     "tileset", "area",
                                     "only",  "never",    "tiles",   "never-touch",
                                     "count", "at-least", "at-most", "edge"};

class Reader {
public:
    explicit Reader(std::string path) : path_(std::move(path)) {}

    [[noreturn]] void Fail(const toml::source_region& where, const std::string& text) const {
        throw FileError(path_ + ":" + std::to_string(where.begin.line), text);
    }

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

bool SameIgnoringCase(const std::string_view a, const std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const char x, const char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// One tile as the file gives it: a name, or a code as a number.
struct TileItem {
    std::string Text;  // the name, or the code's digits
    bool IsCode = false;
    toml::source_region Where;
};

std::string Quoted(const TileItem& item) {
    return item.IsCode ? "code " + item.Text : "\"" + item.Text + "\"";
}

class RuleReader {
public:
    RuleReader(const Reader& file, const toml::table& table) : file_(file), table_(table) {}

    FileRule Read() {
        for (const auto& [key, node] : table_) {
            const std::string_view name = key.str();
            if (std::find(std::begin(kRuleKeys), std::end(kRuleKeys), name) ==
                std::end(kRuleKeys)) {
                file_.Fail(key.source(), "unknown key '" + std::string(name) + "' in a rule");
            }
        }
        FileRule rule;
        rule.Line = table_.source().begin.line;
        const toml::node* const name = table_.get("name");
        if (name == nullptr) {
            file_.Fail(table_.source(), "a rule without a name: give it name = \"...\"");
        }
        rule.Name = Text(*name, "name");
        if (rule.Name.empty()) {
            file_.Fail(name->source(), "a rule's name must not be empty");
        }
        if (const toml::node* const maps = table_.get("maps")) {
            rule.Maps = Text(*maps, "maps");
        }
        if (const toml::node* const tileSet = table_.get("tileset")) {
            rule.TileSet = TileSetOf(*tileSet);
        }
        MapRule shape;
        if (const toml::node* const area = table_.get("area")) {
            shape.Area = AreaOf(*area);
        }
        shape.Kind = KindOf();
        std::vector<TileItem> tiles;
        std::vector<TileItem> touching;
        switch (shape.Kind) {
            case RuleKind::Only:
                tiles = TileList("only");
                break;
            case RuleKind::Never:
                tiles = TileList("never");
                break;
            case RuleKind::Edge:
                tiles = TileList("edge");
                break;
            case RuleKind::NeverTouch:
                tiles = TileList("tiles");
                touching = TileList("never-touch");
                break;
            case RuleKind::Count:
                tiles = {Tile(*table_.get("count"), "count")};
                shape.AtLeast = Bound("at-least");
                shape.AtMost = Bound("at-most");
                if (!shape.AtLeast && !shape.AtMost) {
                    file_.Fail(table_.get("count")->source(),
                               "rule \"" + rule.Name + "\": count needs at-least or at-most");
                }
                if (shape.AtLeast && shape.AtMost && *shape.AtLeast > *shape.AtMost) {
                    file_.Fail(table_.get("at-least")->source(),
                               "rule \"" + rule.Name + "\": at-least is more than at-most");
                }
                break;
        }
        rule.TilesText = Joined(tiles);
        rule.TouchingText = Joined(touching);
        Resolve(rule, shape, tiles, touching);
        return rule;
    }

private:
    std::string Text(const toml::node& node, const std::string& key) const {
        const auto* const text = node.as_string();
        if (text == nullptr) {
            file_.Fail(node.source(), key + " must be a text in quotes");
        }
        return text->get();
    }

    std::int32_t TileSetOf(const toml::node& node) const {
        if (const auto* const number = node.as_integer()) {
            if (IsKnownTileSetNumber(number->get())) {
                return static_cast<std::int32_t>(number->get());
            }
        } else if (const auto* const caption = node.as_string()) {
            for (std::int32_t set = 0; set < kTileSetCount; ++set) {
                if (SameIgnoringCase(caption->get(),
                                     TileSetMenuCaption(static_cast<TileSet>(set))) ||
                    caption->get() == std::to_string(set)) {
                    return set;
                }
            }
        }
        std::string known;
        for (std::int32_t set = 0; set < kTileSetCount; ++set) {
            known += (set == 0 ? "" : ", ") + TileSetText(set);
        }
        file_.Fail(node.source(), "tileset must be one of " + known);
    }

    static bool IsKnownTileSetNumber(const std::int64_t value) {
        return value >= 0 && value < kTileSetCount;
    }

    CellArea AreaOf(const toml::node& node) const {
        const std::string wanted =
            "area must be [x, y, width, height], whole numbers, within the map's " +
            std::to_string(kMapSide) + " x " + std::to_string(kMapSide) + " cells";
        const toml::array* const array = node.as_array();
        if (array == nullptr || array->size() != 4) {
            file_.Fail(node.source(), wanted);
        }
        std::array<std::int64_t, 4> values{};
        for (std::size_t i = 0; i < 4; ++i) {
            const auto* const number = (*array)[i].as_integer();
            if (number == nullptr) {
                file_.Fail((*array)[i].source(), wanted);
            }
            values[i] = number->get();
        }
        const auto [x, y, width, height] = values;
        if (x < 0 || y < 0 || width < 1 || height < 1 || x + width > kMapSide ||
            y + height > kMapSide) {
            file_.Fail(node.source(), wanted);
        }
        return CellArea{static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                        static_cast<int>(height)};
    }

    RuleKind KindOf() const {
        const std::pair<const char*, RuleKind> kinds[] = {
            {"only", RuleKind::Only},   {"never", RuleKind::Never}, {"tiles", RuleKind::NeverTouch},
            {"count", RuleKind::Count}, {"edge", RuleKind::Edge},
        };
        std::vector<std::pair<const char*, RuleKind>> given;
        for (const auto& kind : kinds) {
            if (table_.contains(kind.first)) {
                given.push_back(kind);
            }
        }
        const std::string name = "rule \"" + NameOrNothing() + "\"";
        if (given.empty()) {
            file_.Fail(table_.source(), name +
                                            " has no kind: give it one of only, never, tiles with "
                                            "never-touch, count, edge");
        }
        if (given.size() > 1) {
            file_.Fail(table_.get(given[1].first)->source(),
                       name + " has two kinds, " + given[0].first + " and " + given[1].first +
                           ": make them two rules");
        }
        const RuleKind kind = given[0].second;
        const auto refuse = [&](const char* key, const std::string& why) {
            if (const toml::node* const node = table_.get(key)) {
                file_.Fail(node->source(), name + ": " + key + " " + why);
            }
        };
        if (kind != RuleKind::NeverTouch) {
            refuse("never-touch", "belongs with tiles");
        } else if (!table_.contains("never-touch")) {
            file_.Fail(table_.get("tiles")->source(), name + ": tiles needs never-touch");
        }
        if (kind != RuleKind::Count) {
            refuse("at-least", "belongs with count");
            refuse("at-most", "belongs with count");
        }
        return kind;
    }

    std::string NameOrNothing() const {
        const toml::node* const name = table_.get("name");
        return name != nullptr && name->is_string() ? name->as_string()->get() : "";
    }

    TileItem Tile(const toml::node& node, const std::string& key) const {
        if (const auto* const text = node.as_string()) {
            return TileItem{text->get(), false, node.source()};
        }
        if (const auto* const number = node.as_integer()) {
            if (number->get() >= std::numeric_limits<std::int32_t>::min() &&
                number->get() <= std::numeric_limits<std::int32_t>::max()) {
                return TileItem{std::to_string(number->get()), true, node.source()};
            }
        }
        file_.Fail(node.source(), key + " takes tile names in quotes or codes");
    }

    std::vector<TileItem> TileList(const char* key) const {
        const toml::node* const node = table_.get(key);
        const toml::array* const array = node->as_array();
        if (array == nullptr || array->empty()) {
            file_.Fail(node->source(),
                       std::string(key) + " must be a list of tiles: [\"...\", ...]");
        }
        std::vector<TileItem> items;
        for (const toml::node& item : *array) {
            items.push_back(Tile(item, key));
        }
        return items;
    }

    std::optional<std::uint64_t> Bound(const char* key) const {
        const toml::node* const node = table_.get(key);
        if (node == nullptr) {
            return std::nullopt;
        }
        const auto* const number = node->as_integer();
        if (number == nullptr || number->get() < 0) {
            file_.Fail(node->source(), std::string(key) + " must be a whole number, 0 or more");
        }
        return static_cast<std::uint64_t>(number->get());
    }

    static std::string Joined(const std::vector<TileItem>& items) {
        std::string text;
        for (std::size_t i = 0; i < items.size(); ++i) {
            text += (i == 0 ? "" : i + 1 == items.size() ? " or " : ", ") + Quoted(items[i]);
        }
        return text;
    }

    // The codes of the items in the set, or the first item the set lacks.
    static std::optional<std::vector<TileCode>> CodesIn(const TileNames& names,
                                                        const std::vector<TileItem>& items,
                                                        const TileItem*& lacking) {
        std::vector<TileCode> codes;
        for (const TileItem& item : items) {
            const std::vector<std::int32_t> meant = names.CodesMeant(item.Text);
            if (meant.empty()) {
                lacking = &item;
                return std::nullopt;
            }
            codes.insert(codes.end(), meant.begin(), meant.end());
        }
        return codes;
    }

    void Resolve(FileRule& rule, const MapRule& shape, const std::vector<TileItem>& tiles,
                 const std::vector<TileItem>& touching) const {
        const TileItem* lacking = nullptr;
        for (std::int32_t set = 0; set < kTileSetCount; ++set) {
            if (rule.TileSet && *rule.TileSet != set) {
                continue;
            }
            const TileNames names(set);
            const auto tileCodes = CodesIn(names, tiles, lacking);
            const auto touchingCodes = tileCodes ? CodesIn(names, touching, lacking) : std::nullopt;
            if (!tileCodes || !touchingCodes) {
                if (rule.TileSet) {
                    file_.Fail(lacking->Where, "rule \"" + rule.Name + "\": tile set " +
                                                   TileSetText(set) + " has no tile named " +
                                                   Quoted(*lacking));
                }
                continue;
            }
            MapRule resolved = shape;
            resolved.Tiles = CodeSet(*tileCodes);
            resolved.Touching = CodeSet(*touchingCodes);
            rule.InSet[static_cast<std::size_t>(set)] = std::move(resolved);
        }
        if (std::none_of(rule.InSet.begin(), rule.InSet.end(),
                         [](const auto& inSet) { return inSet.has_value(); })) {
            file_.Fail(lacking->Where, "rule \"" + rule.Name + "\": no tile set has a tile named " +
                                           Quoted(*lacking));
        }
    }

    const Reader& file_;
    const toml::table& table_;
};

}  // namespace

RuleKind FileRule::Kind() const {
    for (const auto& inSet : InSet) {
        if (inSet) {
            return inSet->Kind;
        }
    }
    return RuleKind::Never;
}

const MapRule* FileRule::For(const std::optional<std::int32_t> tileSet) const {
    if (!tileSet || !IsKnownTileSet(*tileSet)) {
        return nullptr;
    }
    const auto& inSet = InSet[static_cast<std::size_t>(*tileSet)];
    return inSet ? &*inSet : nullptr;
}

const char* RuleKindKey(const RuleKind kind) {
    switch (kind) {
        case RuleKind::Only:
            return "only";
        case RuleKind::Never:
            return "never";
        case RuleKind::NeverTouch:
            return "never-touch";
        case RuleKind::Count:
            return "count";
        case RuleKind::Edge:
            return "edge";
    }
    return "";
}

RulesFile ReadRulesFile(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadInputBytes(path);
    const Reader file(path);
    toml::table document;
    try {
        document = toml::parse(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), path);
    } catch (const toml::parse_error& error) {
        file.Fail(error.source(), std::string(error.description()));
    }
    RulesFile rules{
        path, QFileInfo(QString::fromStdString(path)).canonicalPath().toStdString(), {}};
    std::map<std::string, std::uint32_t> lineOfName;
    for (const auto& [key, node] : document) {
        if (key.str() != "rule") {
            file.Fail(key.source(), "unknown key '" + std::string(key.str()) +
                                        "': a rules file holds only [[rule]] tables");
        }
        const toml::array* const array = node.as_array();
        if (array == nullptr || !array->is_array_of_tables()) {
            file.Fail(node.source(), "rule must be written as [[rule]] tables");
        }
        for (const toml::node& table : *array) {
            FileRule rule = RuleReader(file, *table.as_table()).Read();
            const auto [earlier, isNew] = lineOfName.emplace(rule.Name, rule.Line);
            if (!isNew) {
                file.Fail(table.as_table()->get("name")->source(),
                          "rule name \"" + rule.Name + "\" is taken already, by the rule on line " +
                              std::to_string(earlier->second));
            }
            rules.Rules.push_back(std::move(rule));
        }
    }
    return rules;
}

}  // namespace velmora
