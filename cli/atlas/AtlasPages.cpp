// Filling the page templates compiled into the program.
#include "cli/atlas/AtlasPages.h"

#include "cli/MapCondition.h"
#include "cli/atlas/PageScripts.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <algorithm>
#include <stdexcept>

namespace velmora {
namespace {

QByteArray Html(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped().toUtf8();
}

// The template with each @PLACEHOLDER@ replaced by its value, in one pass:
// a value is never read again, so no name or title that looks like a
// placeholder becomes one.
QByteArray Filled(const QByteArray& page,
                  const std::vector<std::pair<QByteArray, QByteArray>>& values) {
    QByteArray filled;
    filled.reserve(page.size());
    qsizetype at = 0;
    while (at < page.size()) {
        const qsizetype open = page.indexOf('@', at);
        const qsizetype close = open < 0 ? -1 : page.indexOf('@', open + 1);
        if (close < 0) {
            break;
        }
        const QByteArrayView placeholder(page.constData() + open, close + 1 - open);
        const auto value = std::find_if(values.begin(), values.end(), [&](const auto& pair) {
            return pair.first == placeholder;
        });
        filled += QByteArrayView(page.constData() + at, open - at);
        if (value == values.end()) {
            // A lone '@' of the page's own text: the next one may open a placeholder.
            filled += '@';
            at = open + 1;
        } else {
            filled += value->second;
            at = close + 1;
        }
    }
    filled += QByteArrayView(page.constData() + at, page.size() - at);
    return filled;
}

}  // namespace

QByteArray AtlasFile(const QString& name) {
    QFile file(QStringLiteral(":/atlas/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        // Compiled into the program: missing only if the build is broken.
        throw std::logic_error("the atlas file " + name.toStdString() + " is not in the program");
    }
    return file.readAll();
}

std::vector<QString> AtlasScriptNames() {
    std::vector<QString> names;
    for (const QString& name :
         QDir(QStringLiteral(":/atlas/scripts")).entryList(QDir::Files, QDir::Name)) {
        names.push_back(QStringLiteral("scripts/") + name);
    }
    return names;
}

std::vector<std::string> MapPageScripts(const std::string& name,
                                        const std::vector<std::string>& tileSetStems) {
    std::vector<std::string> scripts = {"../leaflet/leaflet.js",
                                        std::string("../") + kConstantsScriptName};
    for (const std::string& stem : tileSetStems) {
        scripts.push_back("../tilesets/" + stem + ".js");
    }
    scripts.push_back(NameInUrl(name).toStdString() + ".js");
    for (const std::string_view script : kPageScripts) {
        scripts.push_back("../scripts/" + std::string(script));
    }
    return scripts;
}

QByteArray NameInUrl(const std::string& name) {
    return QUrl::toPercentEncoding(QString::fromStdString(name));
}

QByteArray IndexPage(const std::string& title, const std::vector<AtlasEntry>& entries) {
    QByteArray list;
    for (const AtlasEntry& entry : entries) {
        const QByteArray url = NameInUrl(entry.Name);
        list += "<li class=\"atlas-entry\"><a href=\"maps/" + url + ".html\">";
        list += "<img class=\"atlas-thumbnail\" src=\"maps/" + url + ".png\" alt=\"\" width=\"" +
                QByteArray::number(entry.ThumbnailSize.width()) + "\" height=\"" +
                QByteArray::number(entry.ThumbnailSize.height()) + "\">";
        list += "<span class=\"atlas-name\">" + Html(entry.Name) + "</span></a>";
        list += "<span class=\"atlas-caption\">" + Html(entry.TileSetCaption) + "</span>";
        list += "<span class=\"atlas-cells\">" +
                Html(GroupedNumber(entry.DrawnCells) +
                     (entry.DrawnCells == 1 ? " cell drawn" : " cells drawn")) +
                "</span></li>\n";
    }
    return Filled(AtlasFile(QStringLiteral("index.html")),
                  {{"@TITLE@", Html(title)}, {"@MAPS@", list}});
}

QByteArray MapPage(const std::string& title, const std::string& name,
                   const std::vector<std::string>& tileSetStems) {
    QByteArray scripts;
    for (const std::string& script : MapPageScripts(name, tileSetStems)) {
        scripts += "<script src=\"" + Html(script) + "\"></script>\n";
    }
    return Filled(AtlasFile(QStringLiteral("map.html")), {{"@TITLE@", Html(title)},
                                                          {"@NAME_URL@", NameInUrl(name)},
                                                          {"@NAME@", Html(name)},
                                                          {"@SCRIPTS@", scripts}});
}

}  // namespace velmora
