#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct Biblioteka
{
    const char *plik; // below the sibling folder
    std::vector<const char *> eksporty;
};

void PrintTo(const Biblioteka &b, std::ostream *os)
{
    *os << b.plik;
}

// Functions the library defines for others to call, from its dynamic symbol table.
QStringList zdefiniowaneFunkcje(const QString &sciezka)
{
    QProcess nm;
    nm.start(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"), sciezka});
    if (!nm.waitForFinished(30000) || nm.exitCode() != 0)
        return {QStringLiteral("<nm failed>")};
    QStringList wynik;
    for (const QString &wiersz : QString::fromLocal8Bit(nm.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QStringList pola = wiersz.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (pola.size() == 3 && (pola[1] == QLatin1String("T") || pola[1] == QLatin1String("W")))
            wynik << pola[2].section(QLatin1Char('@'), 0, 0);
    }
    wynik.sort();
    return wynik;
}

} // namespace

class SiblingExports : public testing::TestWithParam<Biblioteka>
{};

// The export map leaves only the agreed C entry points visible.
TEST_P(SiblingExports, OnlyTheAgreedEntryPointsLeaveTheLibrary)
{
    QStringList oczekiwane;
    for (const char *e : GetParam().eksporty)
        oczekiwane << QLatin1String(e);
    oczekiwane.sort();
    EXPECT_EQ(zdefiniowaneFunkcje(QStringLiteral(MALVO_BIN_DIR "/") + QLatin1String(GetParam().plik)), oczekiwane);
}

INSTANTIATE_TEST_SUITE_P(
    Siblings, SiblingExports,
    testing::Values(Biblioteka{"libshared_store.so", {"_GetGlobalSettings"}},
                    Biblioteka{"libdata.so", {"_ZapiszUstaw"}}, Biblioteka{"libsettings_ui.so", {"_OdswiezFirmy"}},
                    Biblioteka{"data/MalvoMobile/libMalvoMobile.so", {"_SynchronizeAPD"}},
                    Biblioteka{"data/Forwarding/liborders.so", {"_Grafik_NewRecord"}},
                    Biblioteka{"libcities.so", {"_DodajMiastoBezFormularza", "_EditRecord", "_NewRecord"}},
                    Biblioteka{"libdelivery_terms.so", {"_EditRecord", "_NewRecord"}}));
