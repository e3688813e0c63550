#include "print_settings.h"

#include "platform/ini/ini_file.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace print {

bool SettingsStore::contains(const QString &section, const QString &key) const
{
    static const QString missing = QStringLiteral("\x01missing");
    return value(section, key, missing) != missing;
}

int SettingsStore::integer(const QString &section, const QString &key, int defaultValue) const
{
    int v = 0;
    return ini::IniFile::parseInteger(value(section, key).trimmed(), &v) ? v : defaultValue;
}

bool SettingsStore::flag(const QString &section, const QString &key, bool defaultValue) const
{
    return integer(section, key, defaultValue ? 1 : 0) != 0;
}

void SettingsStore::setInteger(const QString &section, const QString &key, int value)
{
    setValue(section, key, QString::number(value));
}

void SettingsStore::setFlag(const QString &section, const QString &key, bool value)
{
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

namespace {

QString memoryKey(const QString &section, const QString &key) { return section.toLower() + QLatin1Char('\n') + key.toLower(); }

} // namespace

QString MemorySettingsStore::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    return m_values.value(memoryKey(section, key), defaultValue);
}

void MemorySettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    m_values.insert(memoryKey(section, key), value);
}

void MemorySettingsStore::removeSection(const QString &section)
{
    const QString prefix = section.toLower() + QLatin1Char('\n');
    for (auto it = m_values.begin(); it != m_values.end();) it = it.key().startsWith(prefix) ? m_values.erase(it) : std::next(it);
}

IniSettingsStore::IniSettingsStore(const QString &path) : m_file(std::make_unique<ini::IniFile>(path)) { m_file->load(); }

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    return m_file->value(section, key, defaultValue);
}

void IniSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    m_file->setValue(section, key, value);
}

void IniSettingsStore::removeSection(const QString &section) { m_file->removeSection(section); }

bool IniSettingsStore::save() { return m_file->save(); }

QString dataSetIniPath(const QString &dataRoot, const QString &folder)
{
    const QString name = QFileInfo(QDir::cleanPath(folder)).fileName();
    return QDir(QDir(dataRoot).filePath(folder)).filePath(name + QStringLiteral(".ini"));
}

PrintSettings loadPrintSettings(const SettingsStore &store)
{
    const QString &s = kPrintSection;
    PrintSettings p;
    p.f6Prints = store.flag(s, QStringLiteral("Tisk"), false);
    p.fontStyle = store.integer(s, QStringLiteral("Pismo"), 0);
    p.useDefaultPrinter = store.integer(s, QStringLiteral("Vychozi"), 1) == 1;
    p.printer = store.value(s, QStringLiteral("Tiskarna"));
    p.faxPrinter = store.value(s, QStringLiteral("Fax"));
    p.faxOn = store.flag(s, QStringLiteral("FaxAno"), false);
    p.faxBold = store.flag(s, QStringLiteral("FaxTucne"), true);
    p.faxAutoPicture = store.flag(s, QStringLiteral("FaxAuto"), true);
    p.pictureLeftMm = store.integer(s, QStringLiteral("ObrKonecZleva"), 0);
    p.pictureBelowTextMm = store.integer(s, QStringLiteral("ObrKonecOdTextu"), 0);
    p.pictureScale = store.integer(s, QStringLiteral("ObrKonecMeritko"), 100);
    p.previewZoom = store.integer(s, QStringLiteral("Nahled"), 100);
    const int count = std::min(store.integer(kPictureSection, QStringLiteral("Pocet"), 0), kPictureHistory);
    for (int i = 0; i < count; ++i) {
        const QString file = store.value(kPictureSection, QString::number(i));
        if (!file.isEmpty()) p.pictureFiles << file;
    }
    return p;
}

void savePrintSettings(SettingsStore &store, const PrintSettings &p)
{
    const QString &s = kPrintSection;
    store.setFlag(s, QStringLiteral("Tisk"), p.f6Prints);
    store.setInteger(s, QStringLiteral("Pismo"), p.fontStyle);
    store.setInteger(s, QStringLiteral("Vychozi"), p.useDefaultPrinter ? 1 : 0);
    store.setValue(s, QStringLiteral("Tiskarna"), p.useDefaultPrinter ? QString() : p.printer);
    store.setValue(s, QStringLiteral("Fax"), p.faxPrinter);
    store.setFlag(s, QStringLiteral("FaxAno"), p.faxOn);
    store.setFlag(s, QStringLiteral("FaxTucne"), p.faxBold);
    store.setFlag(s, QStringLiteral("FaxAuto"), p.faxAutoPicture);
    store.setInteger(s, QStringLiteral("ObrKonecZleva"), p.pictureLeftMm);
    store.setInteger(s, QStringLiteral("ObrKonecOdTextu"), p.pictureBelowTextMm);
    store.setInteger(s, QStringLiteral("ObrKonecMeritko"), p.pictureScale);
    store.setInteger(s, QStringLiteral("Nahled"), p.previewZoom);
    const QStringList files = p.pictureFiles.mid(0, kPictureHistory);
    store.setInteger(kPictureSection, QStringLiteral("Pocet"), int(files.size()));
    for (int i = 0; i < files.size(); ++i) store.setValue(kPictureSection, QString::number(i), files.at(i));
}

void rememberPictureFile(PrintSettings &settings, const QString &file)
{
    if (file.isEmpty()) return;
    settings.pictureFiles.removeAll(file);
    settings.pictureFiles.prepend(file);
    while (settings.pictureFiles.size() > kPictureHistory) settings.pictureFiles.removeLast();
}

QSize scaledPictureSize(const QSize &natural, int scalePercent)
{
    if (scalePercent == 100) return natural;
    return QSize(int(std::lround(scalePercent * natural.width() / 100.0)), int(std::lround(scalePercent * natural.height() / 100.0)));
}

QSize OrderPicture::size() const { return image.isNull() ? QSize(0, 0) : scaledPictureSize(image.size(), scalePercent); }

OrderPicture loadOrderPicture(const PrintSettings &settings)
{
    OrderPicture p;
    if (!settings.pictureFiles.isEmpty()) p.image.load(settings.pictureFiles.first());
    p.leftMm = settings.pictureLeftMm;
    p.belowTextMm = settings.pictureBelowTextMm;
    p.scalePercent = settings.pictureScale;
    return p;
}

} // namespace print
