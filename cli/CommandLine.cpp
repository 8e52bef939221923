// Parsing one subcommand's arguments.
#include "cli/CommandLine.h"

#include "cli/CommandErrors.h"

namespace velmora {

CommandLine::CommandLine(std::string subcommand, std::string helpText)
    : subcommand_(std::move(subcommand)), helpText_(std::move(helpText)) {
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser_.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    parser_.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
}

void CommandLine::AddOption(const QCommandLineOption& option) {
    parser_.addOption(option);
}

bool CommandLine::Parse(const QStringList& arguments, Console& console, const int minPositional,
                        const int maxPositional) {
    // The parser takes the first element for the program's name.
    if (!parser_.parse(QStringList{QString::fromStdString(subcommand_)} + arguments)) {
        // Qt writes "Unknown option 'x'."; the program's messages start in
        // lower case and end without a full stop.
        QString text = parser_.errorText();
        if (text.endsWith(QLatin1Char('.'))) {
            text.chop(1);
        }
        if (!text.isEmpty()) {
            text[0] = text[0].toLower();
        }
        throw UsageError(text.toStdString());
    }
    if (parser_.isSet(QStringLiteral("help"))) {
        console.Out << helpText_;
        return false;
    }
    positional_ = parser_.positionalArguments();
    const auto count = positional_.size();
    if (count < minPositional) {
        throw UsageError(count == 0 ? "missing file operand"
                                    : "missing file operand after '" +
                                          positional_.last().toStdString() + "'");
    }
    if (maxPositional >= 0 && count > maxPositional) {
        throw UsageError("extra operand '" + positional_[maxPositional].toStdString() + "'");
    }
    return true;
}

std::optional<int> CommandLine::IntegerValue(const QString& name, const int first,
                                             const int last) const {
    if (!parser_.isSet(name)) {
        return std::nullopt;
    }
    const QString text = parser_.value(name);
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value < first || value > last) {
        throw UsageError("--" + name.toStdString() + " takes a whole number from " +
                         std::to_string(first) + " to " + std::to_string(last) + ", not '" +
                         text.toStdString() + "'");
    }
    return static_cast<int>(value);
}

std::optional<std::size_t> CommandLine::ChoiceValue(
    const QString& name, const std::initializer_list<std::string_view> words) const {
    if (!parser_.isSet(name)) {
        return std::nullopt;
    }
    const std::string value = parser_.value(name).toStdString();
    std::string listed;
    std::size_t place = 0;
    for (const std::string_view word : words) {
        if (value == word) {
            return place;
        }
        ++place;
        listed += (listed.empty() ? "" : place == words.size() ? " or " : ", ") + std::string(word);
    }
    throw UsageError("--" + name.toStdString() + " takes " + listed + ", not '" + value + "'");
}

}  // namespace velmora
