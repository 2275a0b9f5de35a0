#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Functions the library defines for others to call, from its dynamic symbol table.
QStringList zdefiniowaneFunkcje(const QString &sciezka)
{
    QProcess nm;
    nm.start("nm", {"-D", "--defined-only", sciezka});
    if (!nm.waitForFinished(30000) || nm.exitCode() != 0)
        return {"<nm failed>"};
    QStringList wynik;
    for (const QString &wiersz : QString::fromLocal8Bit(nm.readAllStandardOutput()).split('\n')) {
        const QStringList pola = wiersz.split(' ', Qt::SkipEmptyParts);
        if (pola.size() == 3 && (pola[1] == "T" || pola[1] == "W"))
            wynik << pola[2].section('@', 0, 0);
    }
    wynik.sort();
    return wynik;
}

} // namespace

// The export map leaves only the agreed C entry points visible.
TEST(SiblingExports, OnlyTheAgreedEntryPointsLeaveTheLibrary)
{
    const std::pair<const char *, const char *> biblioteki[] = {
        // file below the sibling folder, its entry points in sorted order
        {"libshared_store.so", "_GetGlobalSettings"},
        {"libdata.so", "_ZapiszUstaw"},
        {"libsettings_ui.so", "_OdswiezFirmy"},
        {"data/MalvoMobile/libMalvoMobile.so", "_SynchronizeAPD"},
        {"data/Drivlog/libscan_import.so", "_SkanujDokumenty"},
        {"data/Forwarding/liborders.so", "_Grafik_NewRecord"},
        {"libcities.so", "_DodajMiastoBezFormularza _EditRecord _NewRecord"},
        {"libdelivery_terms.so", "_EditRecord _NewRecord"}};
    for (const auto &[plik, eksporty] : biblioteki)
        EXPECT_EQ(zdefiniowaneFunkcje(QStringLiteral(MALVO_BIN_DIR "/") + QLatin1String(plik)).join(' '),
                  QLatin1String(eksporty))
            << plik;
}
