#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace app {

// One row of the registry table Data: a data set's number, position, name and folder.
struct DataSetEntry {
    int cislo = 0;        // Cislo
    int pozice = 0;       // Pozice
    QString nazev;        // Nazev
    QString adresar;      // Adresar, e.g. "D3"

    bool operator==(const DataSetEntry &o) const
    {
        return cislo == o.cislo && pozice == o.pozice && nazev == o.nazev && adresar == o.adresar;
    }
};

// The registry of data sets in a data root: listing, numbering, creating and deleting data sets.
// Every call opens the registry tables Data and Uziv of the data root for its own work and
// closes them again, so windows that show the registry only need to refresh afterwards.
// Engine failures (a missing registry, a file that cannot be read) come as db::DbError.
class DatasetRegistry {
public:
    // What the checks before opening or deleting a data set found.
    enum class Access {
        Free,              // nobody else has it open and it has no password
        PasswordRequired,  // nobody else has it open; the password must be asked for
        Busy,              // another program has it open
    };

    explicit DatasetRegistry(const QString &dataRoot);

    const QString &dataRoot() const { return m_dataRoot; }

    // Creates the template folder and the registry tables when they are missing, replaces a
    // registry Uziv that cannot be opened by the template's empty one, and upgrades a Data
    // table of the older layout without Pozice (Pozice := Cislo, names and folders kept).
    void ensure();
    // True when the data root holds the registry table Data.
    bool exists() const;

    // The registry rows in number order, or in own-ordering order (Pozice, ties by number).
    std::vector<DataSetEntry> list() const;
    std::vector<DataSetEntry> listByPosition() const;
    std::optional<DataSetEntry> find(int cislo) const;
    bool isEmpty() const { return list().empty(); }
    // Full path of a data set's folder; empty when there is no such row or its Adresar is
    // empty or not a plain folder name.
    QString folderPath(int cislo) const;

    // The number a new data set gets (lowest gap in the numbering, see newNumberFor).
    int newNumber() const;
    // The numbering rule over the numbers as a walk of the rows in number order meets them:
    // counting i = 1, 2, ..., the first i below the row's number is the new number; without
    // a gap it is the count plus one; if that number exists nevertheless, the highest plus one.
    static int newNumberFor(const std::vector<int> &numbersInWalkOrder);

    // Creates a data set: appends its Data row (Pozice := the number, or ownPosition under
    // own ordering), creates the folder "D" + number and copies the 48 template files into
    // it. Returns the folder name and, when asked, the number. When anything fails nothing
    // is left behind (no row, no copied files) and a DbError with a Czech message is thrown.
    // A name longer than the 20 characters of Nazev is refused.
    QString createDataSet(const QString &name, std::optional<int> ownPosition = std::nullopt,
                          int *createdNumber = nullptr);

    // Deletes a data set: the 48 files, its INI, the lock files, its Uziv rows and Data row,
    // then the folder when nothing else is left in it. Files that cannot be deleted are
    // skipped. Refuses with DbError(ErrBusy) while another program has the data set open.
    // Returns false when there is no row with that number.
    bool deleteDataSet(int cislo);

    // The busy test: another program has the data set open. Only for a row whose folder
    // exists and holds Modf.DB.
    bool isBusy(int cislo) const;
    // The checks before a data set is opened or deleted, without the prompt: removes the
    // stale lock files of its folder, runs the busy test and tells whether a password is due.
    Access checkAccess(int cislo) const;

    // The stored password (Uziv.Heslo); empty when there is none.
    QString password(int cislo) const;
    bool hasPassword(int cislo) const { return !password(cislo).isEmpty(); }
    // Exact, case-sensitive comparison with the stored password; true when there is none.
    bool checkPassword(int cislo, const QString &typed) const;
    // Stores a password (creating the Uziv row when there is none); empty removes it.
    // A password longer than the 10 characters of Heslo is refused.
    void setPassword(int cislo, const QString &password);

    // Renames a data set (at most 20 characters).
    void rename(int cislo, const QString &name);
    // Own ordering: the numbers in their new order get Pozice 1, 2, ...
    void setPositions(const std::vector<int> &numbersInOrder);
    // Clears own ordering: every row's Pozice := its Cislo.
    void clearOwnOrdering();

    // Deletes "Pdoxusrs.lck" in a folder and, only when that succeeded, "Paradox.lck".
    static void removeStaleLockFiles(const QString &folder);

    // Texts the chooser shows for the outcomes above.
    static QString busyMessage();            // "Tyto Velorad právě zpracovává jiný uživatel."
    static QString wrongPasswordMessage();   // "Neplatné heslo pro tyto Velorad."
    static QString emptyRegistryMessage();   // "Nejsou k dispozici žádné Velorad. ..."

    static constexpr int kNameLength = 20;      // width of Data.Nazev
    static constexpr int kPasswordLength = 10;  // width of Uziv.Heslo

private:
    void upgradeDataLayout();
    QString m_dataRoot;
};

} // namespace app
