// The three formats of check's findings and the summary line.
#include "cli/check/CheckReport.h"

#include "cli/MapCondition.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>
#include <numeric>
#include <vector>

namespace velmora {
namespace {

std::string PlaceText(const CellArea& area) {
    return std::to_string(area.Left) + "," + std::to_string(area.Top);
}

std::string Escaped(const std::string_view text, const bool property) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '%':
                escaped += "%25";
                break;
            case '\r':
                escaped += "%0D";
                break;
            case '\n':
                escaped += "%0A";
                break;
            case ':':
                escaped += property ? "%3A" : ":";
                break;
            case ',':
                escaped += property ? "%2C" : ",";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string GitHubData(const std::string_view text) {
    return Escaped(text, false);
}

std::string GitHubProperty(const std::string_view text) {
    return Escaped(text, true);
}

std::string FindingLine(const CheckFinding& finding, const CheckFormat format) {
    const std::string place = finding.Where ? PlaceText(*finding.Where) : "";
    switch (format) {
        case CheckFormat::Text:
            return finding.File + (place.empty() ? "" : ":" + place) + ": " + finding.Message +
                   (finding.Rule.empty() ? "" : " [" + finding.Rule + "]") + "\n";
        case CheckFormat::GitHub: {
            // A map has no lines: the cell's row and column stand for them,
            // counted from 1, as in the map's CSV export.
            std::string properties = "file=" + GitHubProperty(finding.File);
            if (const auto& area = finding.Where) {
                properties += ",line=" + std::to_string(area->Top + 1) +
                              ",col=" + std::to_string(area->Left + 1) +
                              ",endLine=" + std::to_string(area->Top + area->Rows) +
                              ",endColumn=" + std::to_string(area->Left + area->Columns);
            }
            properties +=
                ",title=" + GitHubProperty(finding.Rule.empty() ? kFileChecks : finding.Rule);
            return "::error " + properties +
                   "::" + GitHubData((place.empty() ? "" : place + ": ") + finding.Message) + "\n";
        }
        case CheckFormat::Json: {
            QJsonObject object{
                {"file", QString::fromStdString(finding.File)},
                {"rule",
                 finding.Rule.empty() ? QJsonValue() : QString::fromStdString(finding.Rule)},
                {"kind", QString::fromStdString(finding.Kind)},
                {"message", QString::fromStdString(finding.Message)},
            };
            if (const auto& area = finding.Where) {
                object.insert("x", area->Left);
                object.insert("y", area->Top);
                object.insert("columns", area->Columns);
                object.insert("rows", area->Rows);
            }
            if (finding.Kind != "file") {
                object.insert("cells", static_cast<qint64>(finding.Cells));
            }
            return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + "\n";
        }
    }
    return {};
}

std::string SummaryLine(const CheckTally& tally, const CheckFormat format) {
    const std::size_t findings = std::accumulate(
        tally.PerRule.begin(), tally.PerRule.end(), std::size_t{0},
        [](const std::size_t sum, const auto& entry) { return sum + entry.second; });
    if (format == CheckFormat::Json) {
        QJsonObject perRule;
        for (const auto& [rule, count] : tally.PerRule) {
            perRule.insert(QString::fromStdString(rule), static_cast<qint64>(count));
        }
        const QJsonObject summary{{"maps", static_cast<qint64>(tally.Maps)},
                                  {"rules", static_cast<qint64>(tally.Rules)},
                                  {"findings", static_cast<qint64>(findings)},
                                  {"mapsWithFindings", static_cast<qint64>(tally.MapsWithFindings)},
                                  {"perRule", perRule}};
        return QJsonDocument(QJsonObject{{"summary", summary}})
                   .toJson(QJsonDocument::Compact)
                   .toStdString() +
               "\n";
    }
    const auto counted = [](const std::size_t count, const char* one, const char* many) {
        return GroupedNumber(count) + " " + (count == 1 ? one : many);
    };
    if (findings == 0) {
        return counted(tally.Maps, "map", "maps") + " checked against " +
               counted(tally.Rules, "rule", "rules") + ": no findings\n";
    }
    // The most findings first, then by name.
    std::vector<std::pair<std::string, std::size_t>> rules(tally.PerRule.begin(),
                                                           tally.PerRule.end());
    std::stable_sort(rules.begin(), rules.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::string line = counted(findings, "finding", "findings") + " in " +
                       GroupedNumber(tally.MapsWithFindings) + " of " +
                       counted(tally.Maps, "map", "maps") + ":";
    for (std::size_t i = 0; i < rules.size(); ++i) {
        line += (i == 0 ? " " : ", ") + GroupedNumber(rules[i].second) + " " + rules[i].first;
    }
    return line + "\n";
}

}  // namespace velmora
