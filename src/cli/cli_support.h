#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <optional>

#include "app/dataset_registry.h"

namespace cli {

// Exit statuses of the subcommands.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Standard output and standard error of a subcommand, both written as UTF-8.
class Console {
public:
    Console(FILE *out = stdout, FILE *err = stderr);
    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }
    // Writes a message and a line break to standard error.
    void error(const QString &message);

private:
    QTextStream m_out;
    QTextStream m_err;
};

// The arguments of one subcommand: options with a value ("--data-root DIR" or
// "--data-root=DIR"), flags without one, and the positional arguments in order.
class Arguments {
public:
    // Parses the arguments after the subcommand name. Options not named here are refused.
    // On failure returns false and puts a Czech message into error.
    bool parse(const QStringList &args, const QStringList &valueOptions, const QStringList &flags, QString *error);

    bool has(const QString &option) const { return m_given.contains(option); }
    QString value(const QString &option) const;
    const QStringList &positional() const { return m_positional; }

private:
    QStringList m_given;
    QStringList m_values;
    QStringList m_positional;
};

// The data root named by --data-root as an absolute, clean path; empty when the option is
// missing or empty (the error is then written to the console).
QString dataRootOption(const Arguments &args, Console &console);

// Options the commands that work on one data set share.
inline const QString kDataRoot = QStringLiteral("--data-root");
inline const QString kDataSet = QStringLiteral("--dataset");
inline const QString kPassword = QStringLiteral("--password");

// The data set a headless command works on: found by its folder under the data root, after
// the busy and password checks. On refusal error holds the Czech message and exitCode the status.
struct DataSetChoice {
    QString root;
    std::optional<app::DataSetEntry> entry;
    QString error;
    int exitCode = 0;
};
DataSetChoice chooseDataSet(const QString &rootText, const QString &folderName, const std::optional<QString> &password);

} // namespace cli
