// Filling the page templates compiled into the program.
#include "cli/atlas/AtlasPages.h"

#include "cli/MapCondition.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <stdexcept>

namespace velmora {
namespace {

QByteArray Html(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped().toUtf8();
}

QByteArray Filled(QByteArray page, const std::vector<std::pair<QByteArray, QByteArray>>& values) {
    for (const auto& [placeholder, value] : values) {
        page.replace(placeholder, value);
    }
    return page;
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
    for (const std::string& stem : tileSetStems) {
        scripts += "<script src=\"../tilesets/" + Html(stem) + ".js\"></script>\n";
    }
    return Filled(AtlasFile(QStringLiteral("map.html")), {{"@TITLE@", Html(title)},
                                                          {"@NAME_URL@", NameInUrl(name)},
                                                          {"@NAME@", Html(name)},
                                                          {"@TILESET_SCRIPTS@", scripts}});
}

}  // namespace velmora
