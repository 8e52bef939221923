// The arguments of one subcommand: GNU-style options through Qt's command
// line parser, a hand-written help text, and checked numbers.
#pragma once

#include "cli/Console.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class CommandLine {
public:
    // The help text is printed as it stands for --help.
    CommandLine(std::string subcommand, std::string helpText);

    void AddOption(const QCommandLineOption& option);

    // Parses the arguments that follow the subcommand's name. Returns false
    // after printing the help text for --help; throws UsageError for unknown
    // options, missing values, or a count of positional arguments outside
    // minPositional..maxPositional (-1: no upper limit).
    bool Parse(const QStringList& arguments, Console& console, int minPositional,
               int maxPositional);

    const QStringList& Positional() const { return positional_; }
    bool IsSet(const QString& name) const { return parser_.isSet(name); }
    QString Value(const QString& name) const { return parser_.value(name); }
    // Every value of an option that may be given more than once.
    QStringList Values(const QString& name) const { return parser_.values(name); }

    // The option's value as a whole number within first..last; nothing when
    // the option is absent. Throws UsageError otherwise.
    std::optional<int> IntegerValue(const QString& name, int first, int last) const;
    // The value of an option that takes one of a few words, as the word's
    // place among them; nullopt when the option is not given. Throws
    // UsageError naming the words: "--format takes text or json, not 'x'".
    std::optional<std::size_t> ChoiceValue(const QString& name,
                                           std::initializer_list<std::string_view> words) const;

private:
    std::string subcommand_;
    std::string helpText_;
    QCommandLineParser parser_;
    QStringList positional_;
};

}  // namespace velmora
