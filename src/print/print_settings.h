#pragma once

#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>

namespace ini {
class IniFile;
}

namespace print {

// Where the print settings are kept: sections of keys with text values, read and written the
// way the data-set INI holds them (integers as decimal text, yes/no as 1/0).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString &section, const QString &key, const QString &defaultValue = {}) const = 0;
    virtual void setValue(const QString &section, const QString &key, const QString &value) = 0;
    virtual void removeSection(const QString &section) = 0;
    // Writes the changes out; false when they could not be written.
    virtual bool save() { return true; }

    bool contains(const QString &section, const QString &key) const;
    int integer(const QString &section, const QString &key, int defaultValue) const;
    bool flag(const QString &section, const QString &key, bool defaultValue) const;
    void setInteger(const QString &section, const QString &key, int value);
    void setFlag(const QString &section, const QString &key, bool value);
};

// Settings held in memory (tests, and a data set without an INI file).
class MemorySettingsStore : public SettingsStore {
public:
    QString value(const QString &section, const QString &key, const QString &defaultValue = {}) const override;
    void setValue(const QString &section, const QString &key, const QString &value) override;
    void removeSection(const QString &section) override;

private:
    QHash<QString, QString> m_values; // "section\nkey" in lower case
};

// Settings in a Windows INI file (the data set's INI).
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(const QString &path);
    ~IniSettingsStore() override;
    QString value(const QString &section, const QString &key, const QString &defaultValue = {}) const override;
    void setValue(const QString &section, const QString &key, const QString &value) override;
    void removeSection(const QString &section) override;
    bool save() override;

private:
    std::unique_ptr<ini::IniFile> m_file;
};

// The data-set INI of a data set: the folder's name + ".ini" inside the folder ("D3/D3.ini").
QString dataSetIniPath(const QString &dataRoot, const QString &folder);

// The print settings of a data set (section "Tisk" and the picture history of section "Obr"),
// and the program-wide font family choice.
struct PrintSettings {
    bool f6Prints = false;           // "Tisk": F6 prints instead of previewing
    int fontStyle = 0;               // "Pismo": 0 normal, 1 bold
    bool useDefaultPrinter = true;   // "Vychozi" = 1
    QString printer;                 // "Tiskarna"
    QString faxPrinter;              // "Fax"
    bool faxOn = false;              // "FaxAno": "Používat fax v počítači"
    bool faxBold = true;             // "FaxTucne": "Tučný tisk pro faxování"
    bool faxAutoPicture = true;      // "FaxAuto": "Zapínat a vypínat obrázek"
    int pictureLeftMm = 0;           // "ObrKonecZleva"
    int pictureBelowTextMm = 0;      // "ObrKonecOdTextu"
    int pictureScale = 100;          // "ObrKonecMeritko", per cent
    int previewZoom = 100;           // "Nahled", per cent
    QStringList pictureFiles;        // section "Obr", most recent first, at most 20
    bool ceFonts = false;            // the program INI's "TypPisma" = 1 (not stored here)
};

inline const QString kPrintSection = QStringLiteral("Tisk");
inline const QString kPictureSection = QStringLiteral("Obr");
constexpr int kPictureHistory = 20;

PrintSettings loadPrintSettings(const SettingsStore &store);
// Writes every key of section "Tisk" and the picture history; "Tiskarna" is written empty
// while the default printer is used.
void savePrintSettings(SettingsStore &store, const PrintSettings &settings);
// Moves a file to the top of the picture history (inserting it when new), keeping at most 20.
void rememberPictureFile(PrintSettings &settings, const QString &file);

// The picture printed on the orders: the loaded image with its offsets and scale.
struct OrderPicture {
    QImage image;                    // natural size as loaded
    int leftMm = 0;
    int belowTextMm = 0;
    int scalePercent = 100;
    // The printed size: natural at 100 %, otherwise scaled and rounded to whole pixels.
    QSize size() const;
};

QSize scaledPictureSize(const QSize &natural, int scalePercent);
// The picture of the print settings: the first file of the history, loaded; an empty image
// when it cannot be loaded.
OrderPicture loadOrderPicture(const PrintSettings &settings);

} // namespace print
