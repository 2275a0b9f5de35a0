#include "host_fixture.h"

#include "lists/lista_firm_fr.h"
#include "partners_api.h"
#include "ramka/modul.h"

#include "dataset.h"
#include "query.h"
#include "siblings.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Answer = host::ScriptedPrompter::Answer;

class ZapisBezFormularza : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        host::setSiblingDirectory(m_bezSiblingow.path());
    }

    void TearDown() override
    {
        host::setSiblingDirectory(QString());
        HostDatabaseTest::TearDown();
    }

    static int zapisz(const QStringList &lista) { return _ZapiszBezPokazywaniaFormularza(nullptr, nullptr, lista); }

    // The order's list: binding id, name, country, postal code, city, street, flat number, then extras.
    static QStringList lista(const QString &nazwa, const QString &kraj, const QString &kod, const QString &miasto,
                             const QStringList &dalej = {})
    {
        return QStringList{u"B-1"_s, nazwa, kraj, kod, miasto, u"Długa 5"_s, u"3"_s} + dalej;
    }

    int liczba(const QString &sql, const QVariantMap &p = {}) { return host::GetIntDB(sql, QString(), nullptr, p); }
    int liczbaFirm() { return liczba(u"select count(*) from firma"_s); }

    int idMiasta(const QString &miasto, const QString &iso)
    {
        return liczba(u"select id_m from miasto where miasto = :m and id_panstwa = "_s + Panstwo,
                      {{u"m"_s, miasto}, {u"iso"_s, iso}});
    }
    int idKodu(const QString &kod, int idMiasta)
    {
        return liczba(u"select id_kodu from kod_pocztowy where kod = :k and id_m = :m"_s,
                      {{u"k"_s, kod}, {u"m"_s, idMiasta}});
    }
    int dodajMiasto(const QString &miasto, const QString &iso)
    {
        host::ExecQuery(u"insert into miasto (miasto, id_panstwa) values (:m, "_s + Panstwo + u")"_s, nullptr, 0,
                        {{u"m"_s, miasto}, {u"iso"_s, iso}});
        return liczba(u"select max(id_m) from miasto"_s);
    }
    int dodajKod(const QString &kod, int idMiasta)
    {
        host::ExecQuery(u"insert into kod_pocztowy (kod, id_m) values (:k, :m)"_s, nullptr, 0,
                        {{u"k"_s, kod}, {u"m"_s, idMiasta}});
        return liczba(u"select max(id_kodu) from kod_pocztowy"_s);
    }
    int idRodzaju(const QString &tekst)
    {
        return liczba(u"select id from VListaPozSlownika where typ_slownika = 'firma_rodzaj' "
                      "and id_jezyka = :j and wartosc = :w"_s,
                      {{u"j"_s, host::GetLanguage()}, {u"w"_s, tekst}});
    }

    QList<int> grupy(int idFirmy)
    {
        return host::GetListaIntDB(u"select grupa from firma_grupa where id_f = :id order by grupa"_s, QString(),
                                   nullptr, {{u"id"_s, idFirmy}});
    }
    QString skrot(int idFirmy)
    {
        return host::GetStringDB(u"select skrot from firma where id_f = :id"_s, QString(), nullptr,
                                 {{u"id"_s, idFirmy}});
    }

    int adresy(int idFirmy)
    {
        return liczba(u"select count(*) from adres where tabela = 7 and id_ = :id"_s, {{u"id"_s, idFirmy}});
    }
    // The city and the postal code of the company's address.
    std::pair<int, int> miejsce(int idFirmy)
    {
        const QVariantMap p{{u"id"_s, idFirmy}};
        return {liczba(u"select id_m from adres where tabela = 7 and id_ = :id"_s, p),
                liczba(u"select id_kodu from adres where tabela = 7 and id_ = :id"_s, p)};
    }

    static inline const QString Panstwo = u"(select id_p from panstwo where iso = :iso)"_s;
    QTemporaryDir m_bezSiblingow;
};

// ---- the list, by its length -----------------------------------------------------------

TEST_P(ZapisBezFormularza, SiedemPozycjiBezGrupyIIdentyfikatorow)
{
    const int id = zapisz(lista(u"Alfa Beta Cargo Sp. z o.o."_s, u"PL"_s, u"26-600"_s, u"Radom"_s));
    ASSERT_GT(id, 0);
    EXPECT_TRUE(partners::windows().zapis_firmy_form.isNull());

    db::Query f(host::GetConnection(), u"select * from VListaFirmFull where id = :id and id_jezyka = :j"_s);
    f.parameters().setValue(u"id"_s, id);
    f.parameters().setValue(u"j"_s, host::GetLanguage());
    ASSERT_EQ(host::OpenQuery(f), 1);
    ASSERT_EQ(f.recordCount(), 1);
    const auto pole = [&f](const char *nazwa) { return f.value(QLatin1String(nazwa)).toString(); };
    EXPECT_EQ((QStringList{pole("nazwa"), pole("skrot"), pole("nazwa_typu"), pole("waluta_limitu_kredyt"),
                           pole("limit_nadh"), pole("dodatkowe_wolne")}),
              (QStringList{u"Alfa Beta Cargo Sp. z o.o."_s, u"ABC"_s, host::LoadResstrings(u"Resstrings_IDS_ogolny2"_s),
                           host::var::DomyslnaWaluta.get(), u"260"_s, u"7"_s}));
    EXPECT_EQ(f.value(u"aktywna"_s).toInt(), 1);
    EXPECT_EQ(f.value(u"nocne_od"_s).toDateTime(), QDateTime(QDate(2004, 11, 16), QTime(22, 0)));
    EXPECT_EQ(f.value(u"nocne_do"_s).toDateTime(), QDateTime(QDate(2004, 11, 17), QTime(6, 0)));
    EXPECT_EQ(f.value(u"swieta_od"_s).toDateTime(), QDateTime(QDate(2004, 11, 16), QTime(6, 0)));
    EXPECT_EQ(f.value(u"pora_nocna_do"_s).toDateTime().time(), QTime(4, 0));
    EXPECT_TRUE(f.value(u"uwagi"_s).isNull());
    EXPECT_EQ(liczba(u"select id_u from firma where id_f = :id"_s, {{u"id"_s, id}}), host::AktIdU());

    const int radom = idMiasta(u"Radom"_s, u"PL"_s);
    EXPECT_EQ(adresy(id), 1);
    EXPECT_EQ(miejsce(id), std::make_pair(radom, idKodu(u"26-600"_s, radom)));
    EXPECT_EQ(liczba(u"select count(*) from adres where tabela = 7 and id_ = :id and ulica = 'Długa 5' and nr_m = '3'"
                     " and coalesce(nr_domu, '') = '' and czy_domyslny = 1"_s,
                     {{u"id"_s, id}}),
              1);
    EXPECT_TRUE(grupy(id).isEmpty());
}

// Entry 8 is a kind of company; entries 9 and 10, the city and postal-code ids, are read from ten entries on.
TEST_P(ZapisBezFormularza, DlugoscListyDecydujeOGrupieIIdentyfikatorach)
{
    const int przewoznik = idRodzaju(u"Przewoźnik"_s);
    const int radom = idMiasta(u"Radom"_s, u"PL"_s);
    const int warszawa = idMiasta(u"Warszawa"_s, u"PL"_s);
    const int kod = idKodu(u"00-950"_s, warszawa);
    ASSERT_GT(kod, 0);
    const QString typFirmy =
        QString::number(liczba(u"select min(id) from VListaPozSlownika where typ_slownika = 'typ_firmy'"_s));
    const QString p = QString::number(przewoznik), w = QString::number(warszawa);
    struct Przypadek
    {
        QStringList dalej;
        QList<int> grupy;
        int idM, idKodu;
    };
    const Przypadek przypadki[] = {{{p}, {przewoznik}, radom, 0},
                                   {{p, w}, {przewoznik}, radom, 0},
                                   {{QString(), u"x"_s}, {}, radom, 0},
                                   {{QString(), w, QString::number(kod)}, {}, warszawa, kod},
                                   // Only a positive number of a company kind is a kind.
                                   {{u"Przewoźnik"_s}, {}, radom, 0},
                                   {{u"0"_s}, {}, radom, 0},
                                   {{typFirmy}, {}, radom, 0},
                                   {{u"999999"_s}, {}, radom, 0}};
    int n = 0;
    for (const Przypadek &c : przypadki) {
        SCOPED_TRACE(c.dalej.join(u'|').toStdString());
        const int id = zapisz(lista(u"Firma %1"_s.arg(++n), u"PL"_s, QString(), u"Radom"_s, c.dalej));
        ASSERT_GT(id, 0);
        EXPECT_EQ(grupy(id), c.grupy);
        EXPECT_EQ(miejsce(id), std::make_pair(c.idM, c.idKodu));
    }
}

// A list too short, without a name, with ids that are not numbers or with a text too long for its field
// stores nothing and shows nothing.
TEST_P(ZapisBezFormularza, NiepoprawnaListaNicNieZapisuje)
{
    const int firm = liczbaFirm();
    const auto zle = [this](const QStringList &dalej) {
        return lista(u"Zla Lista"_s, u"PL"_s, QString(), u"Radom"_s, QStringList{QString()} + dalej);
    };
    QStringList dlugaUlica = lista(u"Za Dluga Ulica"_s, u"PL"_s, QString(), u"Radom"_s);
    dlugaUlica[5] = QString(63, u'u');
    for (const QStringList &l : {zle({u"12x"_s, u"1"_s}),
                                 zle({u"1"_s, u"kod"_s}),
                                 zle({QString(), u"1"_s}),
                                 {},
                                 {u"B"_s, u"Haulage One"_s},
                                 lista(u" "_s, u"PL"_s, QString(), u"Radom"_s),
                                 dlugaUlica})
        EXPECT_EQ(zapisz(l), -1) << l.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(liczbaFirm(), firm);
    for (const QString &powod :
         {u"'12x' is not a valid integer value"_s, u"'kod' is not a valid integer value"_s, u"0 entries"_s,
          u"2 entries"_s, u"no name"_s, u"not saved: ulica is 63 characters long; at most 50 are allowed"_s})
        EXPECT_TRUE(logText().contains(powod)) << powod.toStdString();
    EXPECT_TRUE(prompter().questions().isEmpty()) << "a windowless call asks nothing";
}

// ---- city, postal code and country ----------------------------------------------------

TEST_P(ZapisBezFormularza, MiastoWgPanstwaINazwyZPodkreslnikiemIApostrofem)
{
    const int podkreslnik = dodajMiasto(u"_"_s, u"PL"_s);
    EXPECT_EQ(miejsce(zapisz(lista(u"Bez Miasta"_s, u"PL"_s, QString(), QString()))).first, podkreslnik);

    const int akwila = dodajMiasto(u"L'Aquila"_s, u"IT"_s);
    const int kod = dodajKod(u"67100"_s, akwila);
    dodajMiasto(u"L Aquila"_s, u"IT"_s);
    EXPECT_EQ(miejsce(zapisz(lista(u"Trasporti Abruzzo"_s, u"it"_s, u"67100"_s, u"L'Aquila"_s))),
              std::make_pair(akwila, kod));

    // The country picks between cities of one name, written in any of its forms and letter cases.
    const int polskie = dodajMiasto(u"Łęgowo"_s, u"PL"_s);
    const int kodPolski = dodajKod(u"12345"_s, polskie);
    const int niemieckie = dodajMiasto(u"Łęgowo"_s, u"DE"_s);
    const int kodNiemiecki = dodajKod(u"12345"_s, niemieckie);
    int n = 0;
    for (const char *kraj : {"DE", "de", "D", "d", ".de", ".DE", "De", " de "}) {
        const int id = zapisz(lista(u"Grenz "_s + QString::number(++n), QLatin1String(kraj), u"12345"_s, u"ŁĘGOWO"_s));
        ASSERT_GT(id, 0) << kraj;
        EXPECT_EQ(miejsce(id), std::make_pair(niemieckie, kodNiemiecki)) << kraj;
    }
    // An unknown country looks the city up by its name alone.
    for (const QString &kraj : {u"pl"_s, u"XX"_s})
        EXPECT_EQ(miejsce(zapisz(lista(u"Grenz "_s + kraj, kraj, u"12345"_s, u"Łęgowo"_s))),
                  std::make_pair(polskie, kodPolski));
}

// A city the database lacks leaves the company without an address, unless the cities sibling creates it,
// once, in the order's country and with its postal code.
TEST_P(ZapisBezFormularza, BrakujaceMiastoTworzySiblingMiast)
{
    const int miast = liczba(u"select count(*) from miasto"_s);
    const int bezAdresu = zapisz(lista(u"Nowe Miasto Trans"_s, u"PL"_s, u"99-999"_s, u"Nieznanowo"_s));
    ASSERT_GT(bezAdresu, 0);
    EXPECT_EQ(adresy(bezAdresu), 0);
    EXPECT_EQ(liczba(u"select count(*) from miasto"_s), miast);

    host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
    const QStringList zlecenie = lista(u"Haulage One"_s, u"IE"_s, u"D02"_s, u"O'Brienstown"_s);
    const int id = zapisz(zlecenie);
    const int drugi = zapisz(zlecenie);
    const int nowe = idMiasta(u"O'Brienstown"_s, u"IE"_s);
    ASSERT_GT(nowe, 0);
    EXPECT_EQ(liczba(u"select count(*) from miasto where miasto = 'O''Brienstown'"_s), 1);
    EXPECT_EQ(miejsce(id), std::make_pair(nowe, idKodu(u"D02"_s, nowe)));
    EXPECT_GT(miejsce(id).second, 0);
    EXPECT_EQ(miejsce(drugi), miejsce(id));
}

// ---- short names -----------------------------------------------------------------------

// Every company gets a short name that fits firma.skrot's 50 characters, suffix included.
TEST_P(ZapisBezFormularza, UnikalneSkrotyDostajaKolejnyNumer)
{
    ASSERT_TRUE(host::var::UnikalneSkrotyFirm.set(true));
    const QStringList oczekiwane{u"ABC"_s, u"ABC_2"_s, u"ABC_3"_s};
    for (const QString &s : oczekiwane)
        EXPECT_EQ(skrot(zapisz(lista(u"Alfa Beta Cargo"_s, u"PL"_s, QString(), u"Radom"_s))), s);
    const QString dluga(73, u'X');
    const QString pierwszy = skrot(zapisz(lista(dluga, u"PL"_s, QString(), u"Radom"_s)));
    const QString drugi = skrot(zapisz(lista(dluga, u"PL"_s, QString(), u"Radom"_s)));
    EXPECT_EQ(pierwszy, dluga.left(50));
    EXPECT_TRUE(drugi.size() <= 50 && drugi.startsWith(u"XXXX"_s) && drugi != pierwszy) << drugi.toStdString();
    EXPECT_EQ(skrot(zapisz(lista(u"Sp. z o.o."_s, u"PL"_s, QString(), u"Radom"_s))), u"Sp. z o.o."_s);

    ASSERT_TRUE(host::var::UnikalneSkrotyFirm.set(false));
    EXPECT_EQ(skrot(zapisz(lista(u"Alfa Beta Cargo"_s, u"PL"_s, QString(), u"Radom"_s))), u"ABC"_s);
}

// ---- the order-import picker ------------------------------------------------------------

TEST_P(ZapisBezFormularza, PickerDodajeFirmeIJaZwracaAZlaListaZostawiaGoOtwartym)
{
    ASSERT_TRUE(host::var::ImportZlecWTrakcie.set(1));
    const QStringList info = lista(u"Gamma Delta Spedycja"_s, u"PL"_s, u"26-600"_s, u"Radom"_s);
    int wybranaWLiscie = 0;
    prompter().push(Answer::dialog([&](QDialog &d) {
        auto *dodaj = d.findChild<QPushButton *>(u"bDodajNowaFirme"_s);
        ASSERT_NE(dodaj, nullptr);
        ASSERT_FALSE(dodaj->isHidden());
        dodaj->click();
        wybranaWLiscie = d.findChild<Tlista_firm_frame *>(u"frame_list"_s)->idBiezacegoWiersza();
    }));
    const int id = _ZImportuZlecSP(nullptr, nullptr, info);
    ASSERT_GT(id, 0);
    EXPECT_EQ(wybranaWLiscie, id);
    EXPECT_EQ(host::GetStringDB(u"select nazwa from firma where id_f = :id"_s, QString(), nullptr, {{u"id"_s, id}}),
              u"Gamma Delta Spedycja"_s);
    EXPECT_EQ(miejsce(id).first, idMiasta(u"Radom"_s, u"PL"_s));

    // "For all": the import is told, then the company is added the same way.
    const int firm = liczbaFirm();
    bool bezPowiazania = false;
    prompter().push(Answer::dialog([&](QDialog &d) {
        bezPowiazania = d.findChild<QLabel *>(u"l4InfoFirma"_s)->isHidden();
        d.findChild<QPushButton *>(u"Button1"_s)->click();
    }));
    const int drugi = _ZImportuZlecSPBezPowiazania(nullptr, nullptr, info);
    EXPECT_GT(drugi, id);
    EXPECT_TRUE(bezPowiazania) << "the call without a binding does not show one";
    EXPECT_EQ(host::var::ImportZlecDodajAllFirma.get(), 1);
    EXPECT_EQ(liczbaFirm(), firm + 1);

    // Outside an import an invalid list keeps the picker open and adds nothing.
    ASSERT_TRUE(host::var::ImportZlecWTrakcie.set(0) && host::var::ImportZlecDodajAllFirma.set(0));
    const int przedZla = liczbaFirm();
    bool otwarty = false;
    prompter().push(Answer::dialog([&](QDialog &d) {
        d.findChild<QPushButton *>(u"bDodajNowaFirme"_s)->click();
        otwarty = d.isVisible();
        d.reject();
    }));
    const QStringList zla = lista(u"Zla"_s, u"PL"_s, QString(), u"Radom"_s, {QString(), u"x"_s, u"y"_s});
    EXPECT_EQ(_ZImportuZlecSP(nullptr, nullptr, zla), -1);
    EXPECT_TRUE(otwarty);
    EXPECT_EQ(liczbaFirm(), przedZla);

    // An order without a company does not offer to add one.
    bool dodawanie = true;
    prompter().push(Answer::dialog([&](QDialog &d) {
        dodawanie = !d.findChild<QPushButton *>(u"bDodajNowaFirme"_s)->isHidden();
        d.reject();
    }));
    _ZImportuZlecSP(nullptr, nullptr, {u"B"_s, u"Haulage One"_s});
    EXPECT_FALSE(dodawanie);
}

MALVO_INSTANTIATE_FOR_ENGINES(ZapisBezFormularza);

} // namespace
