#include "lists/kolor_statusu.h"

#include "host_fixture.h"
#include "list_palette.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace partners;

namespace {

// Stored the suite's way, 0x00BBGGRR, as a number or its text; system colours and junk are no colour.
TEST(KolorZBGR, CzytaBajtyOdCzerwonego)
{
    const std::pair<QVariant, QColor> przypadki[] = {{QVariant(u"13561798"_s), QColor(0xC6, 0xEF, 0xCE)},
                                                     {QVariant(u"0x9CEBFF"_s), QColor(0xFF, 0xEB, 0x9C)},
                                                     {QVariant(QMetaType::fromType<int>()), QColor()},
                                                     {QVariant(qlonglong(0x80000005)), QColor()},
                                                     {QVariant(-1), QColor()},
                                                     {QVariant(u"zielony"_s), QColor()}};
    for (const auto &[wartosc, kolor] : przypadki)
        EXPECT_EQ(kolorZBGR(wartosc).isValid() ? kolorZBGR(wartosc).rgb() : 0u, kolor.isValid() ? kolor.rgb() : 0u)
            << wartosc.toString().toStdString();
}

} // namespace

using KolorStatusuZBazy = HostDatabaseTest;

// The dictionary's status colours are pastel row tints; on the list's own row
// backgrounds every one must still read as text.
TEST_P(KolorStatusuZBazy, KazdyZasianyStatusJestCzytelnyNaTleWierszy)
{
    EXPECT_NEAR(kontrast(Qt::black, Qt::white), 21.0, 0.01);
    const ui::ListPalette paleta = ui::ListPalette::current();
    const QList<QColor> tla{paleta.oddRowBackground, paleta.evenRowBackground};
    const QList<int> kolory = host::GetListaIntDB(
        u"select kolor from slowwartosci where typ_slownika = 'klient_rodzaj' and kolor is not null"_s);
    ASSERT_GE(kolory.size(), 5);
    for (int kolor : kolory) {
        const QColor tekst = kolorWierszaFirmy(kolor, true, QVariant(), tla);
        for (const QColor &tlo : tla)
            EXPECT_GE(kontrast(tekst, tlo), 4.5) << QString::number(kolor, 16).toStdString();
    }
}

MALVO_INSTANTIATE_FOR_ENGINES(KolorStatusuZBazy);
