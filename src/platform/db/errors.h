#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// Error codes the engine reports; callers tell errors apart by these.
enum ErrorCode : int {
    ErrGeneral = 1,
    ErrKeyViolation = 9729,        // duplicate primary or unique key on post
    ErrInvalidValue = 9730,        // range or type refusal on field assignment
    ErrTableMissing = 10024,       // the table file does not exist
    ErrFieldMissing = 10025,       // the table file lacks a field the object declares
    ErrBusy = 10243,               // the data set or table is open in another program
    ErrNotExclusive = 10253,       // an operation that needs exclusive access
    ErrNotEditing = 10256,         // assignment while the dataset is not in edit or insert
    ErrNotActive = 10257,          // operation on a closed dataset
    ErrSql = 10300,                // statement text the engine does not understand or cannot run
    ErrIo = 10301,                 // file system failure
};

// An engine error with a Czech message and a distinct code.
class DbError : public std::runtime_error {
public:
    DbError(int code, const QString &message)
        : std::runtime_error(message.toStdString()), m_code(code), m_message(message) {}
    int code() const { return m_code; }
    const QString &message() const { return m_message; }

private:
    int m_code;
    QString m_message;
};

// A silent abort: a rule refused the operation and has already told the user (or chose not to).
class Abort : public std::exception {
public:
    const char *what() const noexcept override { return "operation aborted"; }
};

} // namespace db
