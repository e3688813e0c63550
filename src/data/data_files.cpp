#include "data_files.h"

namespace data {

const QStringList &dataFiles()
{
    static const QStringList files{
        // 1-4
        QStringLiteral("Mban.DB"), QStringLiteral("Mban.PX"), QStringLiteral("Mban.X09"), QStringLiteral("Mban.Y09"),
        // 5
        QStringLiteral("Mbp.DB"),
        // 6-13
        QStringLiteral("Mbz.DB"), QStringLiteral("Mbz.PX"), QStringLiteral("Mbz.X02"), QStringLiteral("Mbz.X04"),
        QStringLiteral("Mbz.XG0"), QStringLiteral("Mbz.Y02"), QStringLiteral("Mbz.Y04"), QStringLiteral("Mbz.YG0"),
        // 14-15
        QStringLiteral("Mbzp.DB"), QStringLiteral("Mbzp.PX"),
        // 16-19
        QStringLiteral("Mkf.DB"), QStringLiteral("Mkf.PX"), QStringLiteral("Mkf.X08"), QStringLiteral("Mkf.Y08"),
        // 20
        QStringLiteral("Modf.DB"),
        // 21
        QStringLiteral("Mtt.DB"),
        // 22-26
        QStringLiteral("Maz.DB"), QStringLiteral("Maz.MB"), QStringLiteral("Maz.PX"), QStringLiteral("Maz.X27"),
        QStringLiteral("Maz.Y27"),
        // 27-40
        QStringLiteral("Mkd.DB"), QStringLiteral("Mkd.PX"), QStringLiteral("Mkd.X02"), QStringLiteral("Mkd.X03"),
        QStringLiteral("Mkd.X04"), QStringLiteral("Mkd.X07"), QStringLiteral("Mkd.X0F"), QStringLiteral("Mkd.X10"),
        QStringLiteral("Mkd.Y02"), QStringLiteral("Mkd.Y03"), QStringLiteral("Mkd.Y04"), QStringLiteral("Mkd.Y07"),
        QStringLiteral("Mkd.Y0F"), QStringLiteral("Mkd.Y10"),
        // 41-42
        QStringLiteral("Mzak.DB"), QStringLiteral("Mzak.PX"),
        // 43
        QStringLiteral("Mban1.DB"),
        // 44
        QStringLiteral("Pmt.DB"),
        // 45-46
        QStringLiteral("Pmdf.DB"), QStringLiteral("Pmdf.PX"),
        // 47-48
        QStringLiteral("Pbz.DB"), QStringLiteral("Pbz.PX"),
    };
    return files;
}

const QStringList &registryFiles()
{
    static const QStringList files{
        QStringLiteral("Data.DB"), QStringLiteral("Data.PX"), QStringLiteral("Data.X02"), QStringLiteral("Data.Y02"),
        QStringLiteral("Uziv.DB"), QStringLiteral("Uziv.PX"),
    };
    return files;
}

} // namespace data
