// Hostile text (tests/data/hostile_text.txt) through every way text enters
// and leaves the companies: the company editor and the editors of its rows,
// the windowless writer, the list's phrase search, quick-find, column filters
// and saved files, and the XML and CSV files of the export and the import.
#include "company/edycja_firmy_form.h"
#include "company/edycja_fv_opis_dodatkowy_form.h"
#include "company/firma_fixture.h"
#include "company/import_eksport/export_firm_form.h"
#include "company/import_eksport/import_firm_form.h"
#include "company/podrekordy/ramka_podrekordow_fr.h"
#include "company/zapis_firmy_form.h"
#include "lists/firmy_list_box.h"
#include "lists/lista_firm_okno_fixture.h"
#include "lists/szybkie_szukanie_kontroler.h"
#include "partners_api.h"
#include "ramka/import_eksport/import_eksport.h"
#include "ramka/ramka_filtr_popup.h"

#include "host_context.h"
#include "lista_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

using firmatest::Answer;

// ---- the corpus and what becomes of it --------------------------------------------------------

QString rozwin(QStringView s)
{
    QString w;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != u'\\' || i + 1 == s.size()) {
            w += s[i];
            continue;
        }
        const QChar z = s[++i];
        const qsizetype od = s.indexOf(z == u'u' ? u'{' : u'(', i) + 1, koniec = s.indexOf(z == u'u' ? u'}' : u')', i);
        if (z == u'x') {
            w += QChar(s.sliced(i + 1, 2).toUShort(nullptr, 16));
            i += 2;
        } else if (z == u'u' || z == u'*') {
            const QStringView srodek = s.sliced(od, koniec - od);
            w += z == u'u' ? QStringView(QChar::fromUcs4(srodek.toUInt(nullptr, 16))).toString()
                           : rozwin(srodek).repeated(s.sliced(i + 1, od - i - 2).toInt());
            i = koniec;
        } else {
            w += z == u'n' ? u'\n' : z == u'r' ? u'\r' : z == u't' ? u'\t' : z;
        }
    }
    return w;
}

const QStringList &wrogieTeksty()
{
    static const QStringList teksty = [] {
        QFile plik(QStringLiteral(MALVO_SOURCE_DIR "/tests/data/hostile_text.txt"));
        if (!plik.open(QIODevice::ReadOnly | QIODevice::Text))
            throw std::runtime_error("tests/data/hostile_text.txt is missing");
        QStringList wartosci;
        for (const QString &linia : QString::fromUtf8(plik.readAll()).split(u'\n'))
            if (!linia.isEmpty() && !linia.startsWith(u'#'))
                wartosci << rozwin(linia);
        return wartosci;
    }();
    return teksty;
}

// What a field of that width keeps of a text: never half of a character.
QString przyciete(const QString &v, int szerokosc)
{
    return szerokosc <= 0 || v.size() <= szerokosc ? v : v.left(szerokosc - v.at(szerokosc - 1).isHighSurrogate());
}

// As the grid and the list's files show a value: each line break one blank.
QString jednaLinia(QString v)
{
    static const QRegularExpression podzial(u"\r\n|\r|\n"_s);
    return v.replace(podzial, u" "_s);
}

// After the file of `kod` (1 XML, 2 CSV) carried it: XML 1.0 carries no
// control characters but tab and line breaks; CSV has no quoting, so ";"
// becomes "," and a line break a blank.
QString poPliku(QString v, int kod)
{
    if (kod == 1)
        v.removeIf([](QChar z) { return z < u'\x20' && z != u'\t' && z != u'\n' && z != u'\r'; });
    for (QChar &z : v)
        z = kod == 1 ? z : z == u';' ? u',' : z == u'\r' || z == u'\n' ? u' ' : z;
    return v;
}

// Readable in a failure message, however hostile.
std::string pokaz(const QString &v)
{
    QString w;
    for (const char32_t c : v.left(50).toUcs4())
        w += c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) ? u"\\x"_s + QString::number(uint(c), 16)
                                                              : QString::fromUcs4(&c, 1);
    return (v.size() > 50 ? w + u"…("_s + QString::number(v.size()) + u')' : w).toStdString();
}

// The first text that differs; empty when the lists agree.
std::string roznica(const QStringList &jest, const QStringList &oczekiwane)
{
    for (qsizetype i = 0; i < qMax(jest.size(), oczekiwane.size()); ++i)
        if (jest.value(i) != oczekiwane.value(i))
            return std::to_string(i) + ": " + pokaz(jest.value(i)) + " instead of " + pokaz(oczekiwane.value(i));
    return {};
}

// ---- the editors ------------------------------------------------------------------------------------

// A control, where its text is stored (a column of the row; "@" before the
// column of the default address, an import link's code), the width of what
// it stores (0: none) and whether it is stored trimmed.
struct Pole
{
    const char *kontrolka;
    const char *kolumna;
    int szerokosc = 0;
    bool przycinany = false;
};

QString tekstPola(QWidget &okno, const char *nazwa)
{
    QWidget *w = okno.findChild<QWidget *>(QLatin1String(nazwa));
    auto *memo = qobject_cast<QPlainTextEdit *>(w);
    return memo ? memo->toPlainText() : qobject_cast<QLineEdit *>(w)->text();
}

// Pastes the value as a user does; what the field shows is checked and what it should store given back.
QString wpisz(QWidget &okno, const Pole &p, const QString &v)
{
    QWidget *w = okno.findChild<QWidget *>(QLatin1String(p.kontrolka));
    if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
        memo->clear();
        memo->insertPlainText(v);
    } else {
        qobject_cast<QLineEdit *>(w)->setText(v);
    }
    const QString pokazany = tekstPola(okno, p.kontrolka);
    EXPECT_TRUE(QStringView(pokazany).isValidUtf16()) << p.kontrolka << " " << pokaz(v);
    if (p.szerokosc > 0 && qobject_cast<QLineEdit *>(w)) {
        EXPECT_EQ(roznica({pokazany}, {przyciete(v, p.szerokosc)}), "") << p.kontrolka;
    }
    return p.przycinany ? pokazany.trimmed() : pokazany;
}

class WrogieTekstyEdytory : public firmatest::FirmaTest
{
protected:
    void SetUp() override
    {
        FirmaTest::SetUp();
        if (IsSkipped())
            return;
        host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR)); // data.dll keeps the invoice remark lines
        m_firma = firma(u"Firma"_s, {{"skrot", u"F"_s}});
        wstaw(u"adres"_s, u"id_adr"_s,
              {{"id_", m_firma}, {"tabela", 7}, {"id_m", m_warszawa}, {"id_kodu", m_kodWarszawy}, {"czy_domyslny", 1}});
    }

    template <typename Okno = Tedycja_firmy_form>
    void otworz(int id, int tryb, const std::type_identity_t<std::function<void(Okno &)>> &co,
                const char *zakladka = "")
    {
        Okno okno;
        if constexpr (std::is_same_v<Okno, Tedycja_firmy_form>)
            okno.UstawZakladkeStartowa(QLatin1String(zakladka));
        prompter().push(Answer::dialog([&](QDialog &d) { co(static_cast<Okno &>(d)); }));
        okno.PokazRekord(id, tryb, 1);
    }

    QString zapisane(const QString &kolumna, int id, const char *tabela = "firma", const char *klucz = "id_f")
    {
        return tekstDB(u"select %1 from %2 where %3 = :id"_s.arg(kolumna, QLatin1String(tabela), QLatin1String(klucz)),
                       {{u"id"_s, id}});
    }

    // No message and no error logged since the last look.
    void bezBledow()
    {
        EXPECT_EQ(komunikaty(), "");
        EXPECT_FALSE(logText().contains(u"CATCH"_s)) << logText().toStdString();
        oznacz();
    }

    int m_firma = 0;
};

TEST_P(WrogieTekstyEdytory, EdytorFirmyZapisujeKazdyTekstIPokazujeGoZnowu)
{
    // clang-format off
    const Pole pola[] = {
        {"firma_nazwa", "nazwa", 200, true}, {"firma_skrot", "skrot", 50, true}, {"firma_nip", "nip", 22, true},
        {"firma_wlasciciel", "wlasciciel", 30}, {"firma_regon", "regon", 9}, {"firma_krs", "krs", 10},
        {"firma_www", "www", 60}, {"firma_e_mail", "e_mail", 50}, {"firma_nr_trans", "nr_trans", 50},
        {"firma_skype", "skype", 50}, {"firma_nr_gg", "nr_gg", 25}, {"firma_apd_token", "apd_token", 34},
        {"firma_ulica", "@ulica", 50}, {"firma_nr_domu", "@nr_domu", 10}, {"firma_nr_m", "@nr_m", 5},
        {"firma_mpk", "10", 100}, {"firma_kod_analityczny", "15", 100}, {"firma_uwagi", "uwagi"},
        {"firma_komentarz", "komentarz"}, {"mUwagiFv", nullptr}, {"mUwagiSp", nullptr}};
    // clang-format on
    const auto kolumna = [](const Pole &p) {
        const QString k = QLatin1String(p.kolumna);
        if (k.startsWith(u'@'))
            return u"(select %1 from adres where tabela = 7 and czy_domyslny = 1 and id_ = id_f)"_s.arg(k.mid(1));
        if (k.front().isDigit())
            return u"(select wartosc_import from import_powiazania where tabela = 7 and import = %1 and id_ = id_f)"_s
                .arg(k);
        return k;
    };
    for (const QString &v : wrogieTeksty()) {
        QStringList oczekiwane, jest, pokazane;
        otworz(m_firma, Tedycja_firmy_form::Edycja, [&](Tedycja_firmy_form &f) {
            for (const Pole &p : pola)
                oczekiwane << wpisz(f, p, v);
            f.findChild<QComboBox *>(u"cbPrefiksNip"_s)->setCurrentIndex(0); // no EU prefix put in front
            f.zapisz_zamknij()->click();
        });
        bezBledow();
        for (const Pole &p : pola)
            jest << (p.kolumna ? zapisane(kolumna(p), m_firma) : oczekiwane[jest.size()]);
        EXPECT_EQ(roznica(jest, oczekiwane), "") << pokaz(v);

        // Shown again as stored, but for the NIP, which shows split into its EU prefix and number.
        otworz(m_firma, Tedycja_firmy_form::Edycja, [&](Tedycja_firmy_form &f) {
            for (const Pole &p : pola)
                pokazane << (qstrcmp(p.kontrolka, "firma_nip") ? tekstPola(f, p.kontrolka) : jest[pokazane.size()]);
            f.zamknijClick();
        });
        EXPECT_EQ(roznica(pokazane, jest), "") << pokaz(v);

        // The duplicate checks find each stored value again, whatever it holds for LIKE.
        prompter().setDefaultMessageAnswer(host::mb::IdNo);
        for (const char *unikalna : {"nazwa", "skrot", "nip"}) {
            partners::DaneFirmy inna = poprawna();
            const QString wartosc = zapisane(QLatin1String(unikalna), m_firma);
            EXPECT_FALSE(partners::TWalidacjaFirmy(inna).sprawdzUnikalnosc(QLatin1String(unikalna), wartosc, {}))
                << unikalna << " " << pokaz(v);
        }
        prompter().clearDefaultMessageAnswer();
        oznacz();
    }
}

// The rows a company owns: every value saved as a new row, then each row
// walked through in its editor, which shows what was stored.
TEST_P(WrogieTekstyEdytory, EdytoryWierszyFirmyZapisujaIPokazujaKazdyTekst)
{
    // clang-format off
    const struct
    {
        const char *zakladka, *ramka, *tabela, *klucz;
        std::vector<Pole> pola;
    } rodzaje[] = {
        {"tsKontakty", "kontakty_firmy_frame", "kontakt", "id_kontakt",
         {{"kontakt_nazw", "nazwisko", 50, true}, {"kontakt_imie", "imie", 30, true},
          {"kontakt_e_mail", "e_mail", 50, true}, {"kontakt_telefon", "tel", 25, true},
          {"kontakt_nr_gg", "nr_gg", 25, true}, {"kontakt_skype", "skype", 50, true},
          {"kontakt_transid", "nr_trans", 50, true}, {"kontakt_uwagi", "uwagi", 500, true}}},
        {"tsKontakty", "telefony_firmy_frame", "telefon", "id_tel",
         {{"telefon_numer", "numer", 50}, {"telefon_opis", "opis", 250}}},
        {"tsKontakty", "adresy_firmy_frame", "adres", "id_adr",
         {{"e_ulica", "ulica", 50}, {"e_nr_domu", "nr_domu", 10}, {"e_nr_m", "nr_m", 5}}},
        {"tsKsiegRozl", "konta_firmy_frame", "konto", "id_konta",
         {{"konto_numer", "nr_konta", 50}, {"konto_bank", "bank", 50}, {"konto_swift", "swift", 50},
          {"konto_opis", "opis", 800}}}};
    // clang-format on
    for (const auto &r : rodzaje) {
        const auto edytuj = [&](bool nowy, const std::function<void(Tszablon_edycja_form &)> &co) {
            otworz(
                m_firma, Tedycja_firmy_form::Edycja,
                [&](Tedycja_firmy_form &f) {
                    auto *ramka = f.findChild<Tramka_podrekordow_frame *>(QLatin1String(r.ramka));
                    prompter().push(Answer::dialog([&](QDialog &d) { co(static_cast<Tszablon_edycja_form &>(d)); }));
                    ramka->Lista()->first();
                    nowy ? ramka->nowyClick() : ramka->edycjaClick();
                    f.zamknijClick();
                },
                r.zakladka);
        };
        const auto wiersz = [&](int id) {
            QStringList w;
            for (const Pole &p : r.pola)
                w << zapisane(QLatin1String(p.kolumna), id, r.tabela, r.klucz);
            return w;
        };
        const QString klucz = QLatin1String(r.klucz), tabela = QLatin1String(r.tabela);
        const int poprzedni = ile(u"select coalesce(max(%1), 0) from %2"_s.arg(klucz, tabela));
        QList<QStringList> oczekiwane;
        edytuj(true, [&](Tszablon_edycja_form &e) {
            for (const QString &v : wrogieTeksty()) {
                if (auto *miasto = e.findChild<QComboBox *>(u"cbMiasto"_s))
                    miasto->setCurrentIndex(miasto->findData(m_warszawa));
                oczekiwane.emplaceBack();
                for (const Pole &p : r.pola)
                    oczekiwane.back() << wpisz(e, p, v);
                e.zapisz_nast()->click();
            }
            e.zamknijClick();
        });
        bezBledow();
        const QList<int> nowe = host::GetListaIntDB(u"select %1 from %2 where %1 > :p order by %1"_s.arg(klucz, tabela),
                                                    QString(), nullptr, {{u"p"_s, poprzedni}});
        ASSERT_EQ(nowe.size(), oczekiwane.size()) << r.tabela;
        for (qsizetype i = 0; i < nowe.size(); ++i)
            EXPECT_EQ(roznica(wiersz(nowe[i]), oczekiwane[i]), "") << pokaz(wrogieTeksty()[i]);
        edytuj(false, [&](Tszablon_edycja_form &e) {
            do {
                QStringList pokazane;
                for (const Pole &p : r.pola)
                    pokazane << tekstPola(e, p.kontrolka);
                EXPECT_EQ(roznica(pokazane, wiersz(e.IdRekordu())), "") << r.tabela;
            } while (e.nastButton()->isEnabled() && (e.nastButton()->click(), true));
            e.zamknijClick();
        });
    }

    // The invoice remark templates the company offers, in their own editor.
    const Pole pola[] = {{"e_nazwa", "nazwa", 100}, {"m_tresc", "tresc", 255}};
    for (const QString &v : wrogieTeksty()) {
        QStringList oczekiwane, jest, pokazane;
        int id = 0;
        otworz<Tedycja_fv_opis_dodatkowy_form>(0, Tszablon_edycja_form::Nowy, [&](auto &e) {
            for (const Pole &p : pola)
                oczekiwane << wpisz(e, p, v);
            e.zapisz_zamknij()->click();
            id = e.IdRekordu();
        });
        otworz<Tedycja_fv_opis_dodatkowy_form>(id, Tszablon_edycja_form::Edycja, [&](auto &e) {
            for (const Pole &p : pola)
                pokazane << tekstPola(e, p.kontrolka);
            e.zamknijClick();
        });
        for (const Pole &p : pola)
            jest << zapisane(QLatin1String(p.kolumna), id, "faktura_uwagi_dodatkowe", "id_fv_ud");
        EXPECT_EQ(roznica(jest, oczekiwane), "") << pokaz(v);
        EXPECT_EQ(roznica(pokazane, jest), "") << pokaz(v);
    }
    bezBledow();
}

// Every text of every company with its address, contact, phone and account, in id order.
QList<QStringList> teksty()
{
    db::Query q(host::GetConnection(),
                u"select f.nazwa, f.skrot, f.wlasciciel, f.e_mail, f.www, f.nr_gg, f.skype, f.nr_trans, f.nip, f.regon,"
                " f.krs, a.ulica, a.nr_domu, a.nr_m, m.miasto, k.imie, k.nazwisko, k.e_mail, k.nr_gg, k.skype,"
                " k.nr_trans, k.tel, t.numer, ko.nr_konta, ko.bank from firma f"
                " left join adres a on a.tabela = 7 and a.id_ = f.id_f left join miasto m on m.id_m = a.id_m"
                " left join kontakt k on k.id_f = f.id_f left join telefon t on t.tabela = 7 and t.id_ = f.id_f"
                " left join konto ko on ko.tabela = 7 and ko.id_ = f.id_f order by f.id_f"_s);
    q.open();
    QList<QStringList> wynik;
    for (q.first(); !q.eof(); q.next()) {
        wynik.emplaceBack();
        for (int i = 0; i < q.fieldCount(); ++i)
            wynik.back() << q.value(i).toString();
    }
    return wynik;
}

// The windowless writer stores what it is given and refuses what does not
// fit; the export writes the companies to XML and CSV and the import brings
// them back; the editor saving one changes nothing it was not told to.
TEST_P(WrogieTekstyEdytory, ZapisBezFormularzaEksportImportIEdytorNiczegoNiePsuja)
{
    using R = partners::RekordFirmySzybki;
    const std::pair<QString R::*, int> pola[] = {
        {&R::nazwa, 200}, {&R::wlasciciel, 30}, {&R::e_mail, 50}, {&R::www, 60},   {&R::nr_gg, 25},
        {&R::skype, 50},  {&R::nr_trans, 50},   {&R::nip, 22},    {&R::regon, 9},  {&R::krs, 10},
        {&R::ulica, 50},  {&R::nr_domu, 10},    {&R::nr_m, 5},    {&R::miasto, 50}};
    host::ExecQuery(u"delete from firma"_s);
    Tzapis_firmy_form zapis;
    QList<int> firmy;
    QStringList uwagi;
    for (const QString &v : wrogieTeksty()) {
        R r;
        for (const auto &[pole, szerokosc] : pola)
            r.*pole = przyciete(v, szerokosc);
        r.uwagi = v;
        QString powod;
        firmy << zapis.ZapiszSzybko(r, &powod);
        uwagi << v;
        ASSERT_GT(firmy.last(), 0) << pokaz(v) << ": " << powod.toStdString();
        const QVariantMap w{{u"f"_s, firmy.last()},
                            {u"k25"_s, przyciete(v, 25)},
                            {u"k30"_s, przyciete(v, 30)},
                            {u"k50"_s, przyciete(v, 50)}};
        for (const QString &insert : {u"kontakt (id_f, imie, nazwisko, e_mail, nr_gg, skype, nr_trans, tel) values"
                                      " (:f, :k30, :k50, :k50, :k25, :k50, :k50, :k25)"_s,
                                      u"telefon (id_, tabela, numer) values (:f, 7, :k50)"_s,
                                      u"konto (id_, tabela, nr_konta, bank) values (:f, 7, :k50, :k50)"_s})
            host::ExecQuery(u"insert into "_s + insert, nullptr, 0, w);
        QStringList oczekiwane = {r.nazwa, r.skrot};
        for (const auto &[pole, szerokosc] : pola)
            if (pole != &R::nazwa) // the city dictionary keeps names trimmed
                oczekiwane << (pole == &R::miasto ? r.miasto.trimmed() : r.*pole);
        EXPECT_EQ(roznica(teksty().last().mid(0, oczekiwane.size()), oczekiwane), "") << pokaz(v);
        EXPECT_EQ(roznica({zapisane(u"uwagi"_s, firmy.last())}, {v}), "");
        if (v.size() > 200) { // a name too long: the writer refuses it, and so does the import
            r.nazwa = v;
            EXPECT_EQ(zapis.ZapiszSzybko(r, &powod), 0);
            EXPECT_FALSE(powod.isEmpty());
            firmy << firma(v);
            uwagi << QString();
        }
    }
    const QList<QStringList> przed = teksty();
    QTemporaryDir katalog;
    const auto plik = [&](int kod) { return katalog.filePath(kod == 1 ? u"firmy.xml"_s : u"firmy.csv"_s); };
    for (const int kod : {1, 2})
        ASSERT_TRUE(
            TImportExport(TIEFileType::utworz(kod), std::make_unique<Texport_firm_form>(firmy), plik(kod), false)
                .Run(false));

    // Saved in the editor with one box ticked: the name and short name are trimmed, the rest stays.
    for (qsizetype i = 0; i < przed.size(); ++i) {
        if (przed[i][0].size() > 200)
            continue;
        otworz(firmy[i], Tedycja_firmy_form::Edycja, [](Tedycja_firmy_form &f) {
            f.findChild<QCheckBox *>(u"cbBus"_s)->click();
            f.zapisz_zamknij()->click();
        });
        QStringList oczekiwane = przed[i], jest = teksty()[i];
        oczekiwane[0] = oczekiwane[0].trimmed();
        oczekiwane[1] = oczekiwane[1].trimmed();
        jest[8] = oczekiwane[8]; // the NIP goes through its prefix rule
        EXPECT_EQ(roznica(jest, oczekiwane), "") << pokaz(przed[i][0]);
        EXPECT_EQ(roznica({zapisane(u"uwagi"_s, firmy[i])}, {uwagi[i]}), "");
    }
    bezBledow();

    for (const int kod : {1, 2}) {
        for (const char *tabela : {"firma", "adres", "telefon", "konto"})
            host::ExecQuery(u"delete from %1"_s.arg(QLatin1String(tabela)));
        Timport_firm_form::Podsumowanie podsumowanie;
        auto forma = std::make_unique<Timport_firm_form>([](const QString &) { return 0; });
        forma->poImporcie = [&](const Timport_firm_form::Podsumowanie &p) { podsumowanie = p; };
        TImportExport(TIEFileType::utworz(kod), std::move(forma), plik(kod)).Run(false);
        QList<QStringList> oczekiwane;
        for (const QStringList &t : przed)
            if (t[0].size() <= 200) {
                oczekiwane.emplaceBack();
                for (const QString &w : t)
                    oczekiwane.back() << poPliku(w, kod);
            }
        EXPECT_EQ(podsumowanie.odrzucone.size(), przed.size() - oczekiwane.size())
            << podsumowanie.tekst().toStdString();
        const QList<QStringList> zaimportowane = teksty();
        ASSERT_EQ(zaimportowane.size(), oczekiwane.size());
        for (qsizetype i = 0; i < oczekiwane.size(); ++i)
            EXPECT_EQ(roznica(zaimportowane[i], oczekiwane[i]), "") << (kod == 1 ? "XML" : "CSV");
    }
    bezBledow();
}

MALVO_INSTANTIATE_FOR_ENGINES(WrogieTekstyEdytory);

// ---- the company list ------------------------------------------------------------------------------

// The rows of the list saved as CSV (a value with ";" or a quote is quoted)
// or HTML (one cell a value, references read back), cell by cell.
QList<QStringList> komorki(const QString &plik, bool csv)
{
    QList<QStringList> wiersze;
    if (csv) {
        for (const QString &linia : plik.split(u"\r\n"_s, Qt::SkipEmptyParts)) {
            wiersze.append({QString()});
            bool cytat = false;
            for (qsizetype i = 0; i < linia.size(); ++i) {
                if (linia[i] == u'"' && cytat && linia.mid(i + 1, 1) == u"\""_s)
                    wiersze.back().back() += linia[++i];
                else if (linia[i] == u'"')
                    cytat = !cytat;
                else if (linia[i] == u';' && !cytat)
                    wiersze.back() << QString();
                else
                    wiersze.back().back() += linia[i];
            }
        }
        return wiersze;
    }
    static const QRegularExpression wiersz(u"<TR BGCOLOR=[^>]*>(.*?)</TR>"_s), komorka(u"<TD>(.*?)</TD>"_s),
        odwolanie(u"&#(\\d+);"_s);
    for (auto w = wiersz.globalMatch(plik); w.hasNext();) {
        wiersze.emplaceBack();
        for (auto k = komorka.globalMatch(w.next().captured(1)); k.hasNext();) {
            QString tekst = k.next().captured(1);
            for (auto o = odwolanie.globalMatch(tekst); o.hasNext();) {
                const auto m = o.next();
                tekst.replace(m.captured(), QStringView(QChar::fromUcs4(m.captured(1).toUInt())).toString());
            }
            wiersze.back() << tekst.replace(u"&lt;"_s, u"<"_s)
                                  .replace(u"&gt;"_s, u">"_s)
                                  .replace(u"&quot;"_s, u"\""_s)
                                  .replace(u"&amp;"_s, u"&"_s);
        }
    }
    return wiersze;
}

using WrogieTekstyLista = ListaFirmOkno;

// Each value is the name, short name and NIP of a company among the demo ones.
TEST_P(WrogieTekstyLista, SzukanieFiltryIPlikiListyZnajdujaIZapisujaKazdyTekst)
{
    QMap<int, QString> firmy;
    for (const QString &v : wrogieTeksty()) {
        host::ExecQuery(u"insert into firma (nazwa, skrot, nip) values (:n, :n, :n)"_s, nullptr, 0, {{u"n"_s, v}});
        firmy.insert(host::GetIntDB(u"select max(id_f) from firma"_s), v);
    }
    host::appContext().setOption(host::option::ListaFirmSzybkieSzukanie, true);
    _Execute(qApp, 1);
    host::appContext().setOption(host::option::ListaFirmSzybkieSzukanie, false);
    Tlista_firm_frame *r = ramka();
    ASSERT_NE(r, nullptr);
    r->window()->show();
    QLineEdit *fraza = r->szukany_tekst();
    const auto widoczne = [r] {
        QList<int> ids;
        for (int w = 0; w < r->Lista()->recordCount(); ++w)
            ids << idWiersza(r, w);
        return ids;
    };
    for (auto it = firmy.cbegin(); it != firmy.cend(); ++it) {
        const QString &v = it.value();
        fraza->setText(v);
        r->bWyszWgFrazyZastosujClick();
        EXPECT_TRUE(widoczne().contains(it.key())) << "phrase " << pokaz(v);
        fraza->clear();
        r->bWyszWgFrazyZastosujClick();

        fraza->setFocus();
        fraza->setText(v);
        QTest::keyClick(fraza, Qt::Key_End); // quick-find looks after each key
        partners::FirmyListBox *lista = r->SzybkieSzukanie()->lista();
        bool jest = false;
        for (int i = 0; i < lista->liczbaWpisow(); ++i)
            jest = jest || lista->tekstWpisu(i).startsWith(v + u";;"_s);
        EXPECT_TRUE(jest) << "quick-find " << pokaz(v);
        lista->grab(); // drawn with the match in bold
        QTest::keyClick(fraza, Qt::Key_Escape);
        fraza->clear();

        r->otworzFiltrKolumny(r->ListaGrid()->columnOf(u"nazwa"_s));
        auto *popup = r->findChild<TComboFiltrPopup *>();
        ASSERT_NE(popup, nullptr);
        popup->kliknij(popup->lista()->item(1)->text()); // uncheck all
        EXPECT_TRUE(popup->kliknij(jednaLinia(v))) << "filter " << pokaz(v);
        popup->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(widoczne(), QList<int>{it.key()}) << "filter " << pokaz(v);
        r->akcja(u"usunfiltry"_s)->trigger();
    }
    EXPECT_EQ(logText(), QString());
    EXPECT_EQ(prompter().messageTexts(), QStringList());
    EXPECT_EQ(liczbaFirm(), FirmyDemo + firmy.size()) << "no statement deleted or added a company";

    // Saved as CSV and as HTML: every name comes back as the grid shows it.
    QTemporaryDir katalog;
    for (const QString &nazwa : {u"lista.csv"_s, u"lista.html"_s}) {
        prompter().push(Answer::saveFile(katalog.filePath(nazwa)));
        r->akcja(u"pzapisz"_s)->trigger();
        QFile plik(katalog.filePath(nazwa));
        ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
        const QList<QStringList> wiersze = komorki(QString::fromUtf8(plik.readAll()), nazwa.endsWith(u"csv"_s));
        for (const QString &v : firmy)
            EXPECT_TRUE(std::ranges::any_of(wiersze, [&](const QStringList &w) { return w.contains(jednaLinia(v)); }))
                << nazwa.toStdString() << " " << pokaz(v);
    }
}

MALVO_INSTANTIATE_FOR_ENGINES(WrogieTekstyLista);

} // namespace
