#include "lists/lista_firm_okno_fixture.h"

#include "lists/lista_firm_kolumny.h"
#include "lists/lista_firm_reguly.h"
#include "lists/multiakcje_form.h"
#include "lists/szybkie_szukanie_kontroler.h"
#include "partners_api.h"

#include "dataset.h"
#include "host_context.h"
#include "list_status.h"
#include "lista_grid.h"
#include "lista_grid_parts.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDomDocument>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Answer = host::ScriptedPrompter::Answer;

// A renewed paper supersedes the old one of its kind; a paper marked done never counts.
TEST_P(ListaFirmOkno, DokumentyWygasajaceWKolumnieIFiltrze)
{
    const QDate dzis = QDate::currentDate();
    const auto dokument = [&](int firma, int rodzaj, int zaIleDni, int wykonany = 0) {
        host::ExecQuery(u"insert into dokument (id_f, rodzaj, wazny_do, czy_wykonany) values (:f, :r, :d, :w)"_s,
                        nullptr, 0,
                        {{u"f"_s, idFirmy(firma)},
                         {u"r"_s, rodzaj},
                         {u"d"_s, QDateTime(dzis.addDays(zaIleDni), {})},
                         {u"w"_s, wykonany}});
    };
    dokument(0, 1, 10);
    dokument(0, 1, -300);
    dokument(1, 2, -5);
    dokument(2, 1, 100);
    dokument(2, 1, -200);
    dokument(3, 1, -1, 1);

    _Execute(qApp, 1);
    db::DataSet *lista = ramka()->Lista();
    // Two first rows by their own statement, the rest with the column joined.
    lista->setFetchInChunks(true, 2);
    lista->close();
    ramka()->OtworzListe();
    while (!ramka()->daneWczytane())
        QApplication::processEvents();
    const auto wygasa = [&](int firma) {
        EXPECT_TRUE(ramka()->GoToId(idFirmy(firma)));
        return lista->value(u"dok_wygasa"_s).toDate();
    };
    EXPECT_EQ(wygasa(0), dzis.addDays(10));
    EXPECT_EQ(wygasa(1), dzis.addDays(-5));
    EXPECT_EQ(wygasa(2), dzis.addDays(100));
    EXPECT_FALSE(wygasa(3).isValid());

    const auto widoczne = [&] {
        QList<int> ids;
        for (int w = 0; w < lista->recordCount(); ++w)
            ids << idWiersza(ramka(), w);
        std::ranges::sort(ids);
        return ids;
    };
    ramka()->seDniWygasania()->setValue(30);
    ramka()->cbDokumentyWygasaja()->click();
    EXPECT_EQ(widoczne(), (QList<int>{idFirmy(0), idFirmy(1)}));
    ramka()->seDniWygasania()->setValue(100);
    EXPECT_EQ(widoczne(), (QList<int>{idFirmy(0), idFirmy(1), idFirmy(2)}));

    ramka()->cbUkryjFirmyZalRoz()->click();

    // The filter boxes are the user's: the next list opens with them.
    delete partners::windows().lista_firm_form.data();
    const partners::FiltryListyFirm zapisane = partners::wczytajFiltryListyFirm();
    EXPECT_FALSE(zapisane.tylkoWlasneFirmy);
    EXPECT_TRUE(zapisane.ukryjFirmyZalRoz);
    EXPECT_TRUE(zapisane.dokumentyWygasaja);
    EXPECT_EQ(zapisane.dniWygasania, 100);
}

// The list shows every company with its kinds; a second call brings the same window forward.
TEST_P(ListaFirmOkno, PokazujeFirmyZNazwamiGrupWJednymOknie)
{
    const int zGrupa = firmZGrupa();
    const int bezGrup = host::GetIntDB(u"select max(id_f) from firma"_s);
    host::ExecQuery(u"delete from firma_grupa where id_f = :id"_s, nullptr, 0, {{"id", bezGrup}});
    const QString grupa = host::GetStringDB(
        u"select coalesce(t.tresc, s.wartosc) from firma_grupa fg join slowwartosci s on s.id_wartosci = fg.grupa"
        " left join tlumaczenie t on t.identyfikator = s.wartosc and t.id_jezyka = :j"
        " where fg.id_f = :id order by fg.grupa"_s,
        QString(), nullptr, {{"j", host::GetLanguage()}, {u"id"_s, zGrupa}});
    ASSERT_FALSE(grupa.isEmpty());

    zGlownymOknem();
    _Execute(qApp, 1);
    QPointer<QWidget> pierwsze = partners::windows().lista_firm_form;
    ASSERT_TRUE(pierwsze);
    EXPECT_TRUE(ramka()->daneWczytane());
    db::DataSet *lista = ramka()->Lista();
    ASSERT_TRUE(lista->isActive());
    EXPECT_EQ(lista->recordCount(), liczbaFirm());
    // The list has no dates: nothing of a date range is offered, the phrase search is.
    for (const char *nazwa :
         {"bZapiszFiltryListy", "zakres_dat", "ktora_data", "okres_od", "okres_do", "bOkres_zastosuj"})
        EXPECT_TRUE(ramka()->findChild<QWidget *>(QLatin1String(nazwa))->isHidden()) << nazwa;
    EXPECT_FALSE(ramka()->szukany_tekst()->isHidden());
    // The empty search box says where it looks.
    ui::ListaGrid *siatka = ramka()->ListaGrid();
    const QString hint = ramka()->szukany_tekst()->placeholderText();
    EXPECT_TRUE(hint.contains(siatka->gridModel()->column(siatka->columnOf(u"nazwa"_s)).displayTitle()))
        << hint.toStdString();
    EXPECT_EQ(ramka()->ListaGrid()->model()->rowCount(), lista->recordCount());
    // The first width fit leaves every title whole beside its funnel.
    for (int k = 0; k < siatka->model()->columnCount(); ++k) {
        const QString tytul = siatka->gridModel()->column(k).displayTitle();
        if (!siatka->isColumnHidden(k)) {
            EXPECT_GE(siatka->columnWidth(k) - ui::ListaGridHeader::FunnelFrom - 6,
                      siatka->horizontalHeader()->fontMetrics().horizontalAdvance(tytul))
                << tytul.toStdString();
        }
    }

    const QString pole = QString::fromLatin1(partners::PoleNazwaGrupy);
    ASSERT_TRUE(ramka()->GoToId(zGrupa));
    EXPECT_TRUE(lista->value(pole).toString().startsWith(grupa)) << lista->value(pole).toString().toStdString();
    ASSERT_TRUE(ramka()->GoToId(bezGrup));
    EXPECT_TRUE(lista->value(pole).toString().isEmpty());
    EXPECT_GE(ramka()->ListaGrid()->columnOf(pole), 0);

    _Execute(qApp, 2);
    EXPECT_EQ(partners::windows().lista_firm_form, pierwsze);
    EXPECT_EQ(m_glowne.area()->subWindowList().size(), 1);
    EXPECT_TRUE(m_glowne.area()->subWindowList().value(0)->isMaximized());
    EXPECT_EQ(ramka()->Uprawnienia, 1) << "the second call must not apply its rights";
    EXPECT_EQ(pierwsze->windowTitle(), host::LoadResstrings(u"Resstrings_IDS_Firmy"_s));

    // Announced once created (posted) and at the end of its creation (sent).
    QCoreApplication::sendPostedEvents();
    const qintptr okno = host::windowParam(pierwsze);
    EXPECT_TRUE(m_glowne.received(host::msg::WindowCreated, okno));
    EXPECT_TRUE(m_glowne.received(host::msg::CaptionChanged, okno));
}

TEST_P(ListaFirmOkno, ZamkniecieZwalniaOknoIZerujeWskaznik)
{
    _Execute(qApp, 1); // no main window: a top-level window
    QPointer<QWidget> okno = partners::windows().lista_firm_form;
    ASSERT_TRUE(okno);
    EXPECT_TRUE(okno->isWindow());
    bool zamknieto = true;
    QObject::connect(
        ramka()->Lista(), &db::DataSet::beforeOpen, okno, [&] { zamknieto = okno->close(); }, Qt::SingleShotConnection);
    ramka()->odswiezClick();
    EXPECT_FALSE(zamknieto) << "not while the rows are being read";
    ramka()->akcja(u"zamknij"_s)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(okno);
    // A column hidden by default is stored with a width to come back with.
    EXPECT_GT(host::GetIntDB(u"select max(szerokosc) from ust_form where typ = 'TColumn' and nazwa = 'wlasciciel'"_s),
              0);

    // In the host's window area the close button takes the tab with it.
    zGlownymOknem();
    _Execute(qApp, 1);
    EXPECT_TRUE(partners::windows().lista_firm_form) << "a closed list opens again";
    ASSERT_EQ(m_glowne.area()->subWindowList().size(), 1);
    ui::ListaGrid *siatka = ramka()->ListaGrid();
    const int kolumna = siatka->columnOf(u"wlasciciel"_s);
    ASSERT_TRUE(siatka->isColumnHidden(kolumna));
    siatka->setColumnVisible(u"wlasciciel"_s, true);
    EXPECT_GT(siatka->columnWidth(kolumna), 0);
    // A file of the list is named after the list, not after the main window around it.
    m_glowne.setWindowTitle(u"Malvo"_s);
    prompter().push(Answer::choiceCancelled(host::ScriptedPrompter::Kind::SaveFile));
    ramka()->akcja(u"pzapisz"_s)->trigger();
    EXPECT_TRUE(prompter().questions().last().dir.endsWith(u"/Firmy.csv"_s))
        << prompter().questions().last().dir.toStdString();
    ramka()->akcja(u"zamknij"_s)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(partners::windows().lista_firm_form);
    EXPECT_TRUE(m_glowne.area()->subWindowList().isEmpty());
}

// Notes the text of status panel 2 whenever a widget is painted.
class PanelPodczasMalowania : public QObject
{
public:
    explicit PanelPodczasMalowania(const Tramka_lista_frame *ramka)
        : m_ramka(ramka)
    {}
    QStringList teksty;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QString tekst = m_ramka->tekstPanelu(2);
        if (event->type() == QEvent::Paint && !tekst.isEmpty() && teksty.value(teksty.size() - 1) != tekst)
            teksty << tekst;
        return false;
    }

private:
    const Tramka_lista_frame *m_ramka;
};

// At 1280x800 no control hides in a tool bar's overflow; the small panel opens and closes
// the summary row; a save to a file shows how far it got.
TEST_P(ListaFirmOkno, Przy1280x800WszystkoWidacPodsumowanieIPostepZapisu)
{
    zGlownymOknem();
    m_glowne.resize(1280, 800);
    m_glowne.show();
    _Execute(qApp, 1);
    QApplication::processEvents();
    for (QToolBar *pasek : ramka()->findChildren<QToolBar *>())
        for (QAction *a : pasek->actions())
            EXPECT_TRUE(!a->isVisible() || pasek->widgetForAction(a)->isVisible()) << a->text().toStdString();

    ui::ListaGrid *siatka = ramka()->ListaGrid();
    auto *panel = ramka()->findChild<QAbstractButton *>(u"pPanelDoRozPodsumowania"_s);
    ASSERT_NE(panel, nullptr);
    panel->click();
    ASSERT_TRUE(siatka->isSummaryVisible());
    const QString suma = QString::number(host::GetIntDB(u"select sum(id_f) from firma"_s));
    EXPECT_EQ(siatka->summaryText(siatka->columnOf(u"nr_id_firmy"_s)), suma);
    // Read in chunks of 10: the first rows show at once, the count and the totals once all are in.
    ramka()->Lista()->setFetchInChunks(true, 10);
    ramka()->Lista()->close();
    ramka()->OtworzListe();
    EXPECT_EQ(siatka->gridModel()->rowCount(), 10);
    EXPECT_EQ(ramka()->tekstPanelu(0), ui::loadingText());
    EXPECT_NE(siatka->summaryText(siatka->columnOf(u"nr_id_firmy"_s)), suma);
    while (!ramka()->daneWczytane())
        QApplication::processEvents();
    EXPECT_EQ(siatka->gridModel()->rowCount(), FirmyDemo);
    EXPECT_EQ(ramka()->tekstPanelu(0), ui::rowCountText(FirmyDemo));
    EXPECT_EQ(siatka->summaryText(siatka->columnOf(u"nr_id_firmy"_s)), suma);
    panel->click();
    EXPECT_FALSE(siatka->isSummaryVisible());

    PanelPodczasMalowania panel2(ramka());
    qApp->installEventFilter(&panel2);
    QTemporaryDir katalog;
    prompter().push(Answer::saveFile(katalog.filePath(u"firmy.csv"_s)));
    ramka()->akcja(u"zapisz"_s)->trigger();
    qApp->removeEventFilter(&panel2);
    EXPECT_GT(panel2.teksty.size(), 2) << panel2.teksty.join(u" "_s).toStdString();
    EXPECT_EQ(panel2.teksty.value(panel2.teksty.size() - 1), u"100%"_s);
    EXPECT_TRUE(ramka()->tekstPanelu(2).isEmpty());
}

TEST_P(ListaFirmOkno, UstawionaAktywnaFirmaNieDajeSieUsunac)
{
    zGlownymOknem();
    const QList<int> firmy = host::GetListaIntDB(u"select id_f from firma order by id_f"_s);
    const int aktywna = firmy.at(1);
    const int liczba = liczbaFirm();
    _Execute(qApp, 1);
    ASSERT_NE(ramka(), nullptr);
    QAction *ustaw = ramka()->akcja(u"pUstawAktywnaFirme"_s);
    ASSERT_NE(ustaw, nullptr);

    // Only with exactly one row to act on.
    ramka()->ListaGrid()->selection().select({firmy.at(0), {}});
    ramka()->ListaGrid()->selection().select({firmy.at(2), {}});
    emit ramka()->dostosuj_popup()->aboutToShow();
    QAction *pliki = ramka()->akcja(u"pPodgladPowiazanychPlikow"_s);
    EXPECT_FALSE(ustaw->isEnabled() || pliki->isEnabled());
    ramka()->ListaGrid()->uncheckAll();
    ASSERT_TRUE(ramka()->GoToId(aktywna));
    emit ramka()->dostosuj_popup()->aboutToShow();
    EXPECT_TRUE(ustaw->isEnabled() && pliki->isVisible() && pliki->isEnabled());
    // The linked files of the row's company.
    QTemporaryDir sklad;
    host::var::SciezkaDokumenty.set(sklad.path());
    host::ExecQuery(u"insert into dokument_plik (sciezka, tabela, id_) values (:s, 7, :id)"_s, nullptr, 0,
                    {{u"s"_s, u"A\\umowa.pdf"_s}, {u"id"_s, aktywna}});
    prompter().push(Answer::dialog([](QDialog &okno) {
        EXPECT_EQ(okno.findChild<QListWidget *>(u"lbListaPlikow"_s)->item(0)->text(), u"A\\umowa.pdf"_s);
    }));
    pliki->trigger();
    m_glowne.messages.clear();
    ustaw->trigger();
    EXPECT_EQ(host::var::AktywnaFirma.get(), aktywna);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(m_glowne.received(host::msg::ActiveCompanyChanged, qintptr(1)));

    prompter().setDefaultMessageAnswer(host::mb::IdYes);
    ramka()->ListaGrid()->selection().select({firmy.at(2), {}});
    ramka()->ListaGrid()->selection().select({aktywna, {}});
    ramka()->akcja(u"usun"_s)->trigger();
    EXPECT_EQ(liczbaFirm(), liczba) << "nothing is deleted";
    const QStringList teksty = prompter().messageTexts();
    ASSERT_EQ(teksty.size(), 1);
    EXPECT_TRUE(teksty.first() == QLatin1String(partners::KluczNieMoznaUsunacAktywnej)
                || teksty.first() == host::LoadResstrings(QLatin1String(partners::KluczNieMoznaUsunacAktywnej)))
        << teksty.first().toStdString();

    // A company without dependants, so that the delete procedure lets it go.
    const int id = firmy.last();
    ramka()->ListaGrid()->uncheckAll();
    ramka()->ListaGrid()->selection().select({id, {}});
    ramka()->akcja(u"usun"_s)->trigger();
    ASSERT_FALSE(host::CzyIstniejeRekordDB(u"select id_f from firma where id_f = :id"_s, nullptr, {{"id", id}}))
        << prompter().messageTexts().join(u" | "_s).toStdString();
    EXPECT_EQ(liczbaFirm(), liczba - 1);
    EXPECT_EQ(ramka()->Lista()->recordCount(), liczba - 1) << "the list is read again";
}

TEST_P(ListaFirmOkno, KoloryWierszyWgStatusuISzybkieSzukanieZOpcja136)
{
    const QList<int> firmy = host::GetListaIntDB(u"select id_f from firma order by id_f"_s);
    const int status = host::GetIntDB(u"select min(id_wartosci) from slowwartosci"_s);
    // Stored the suite's way, 0x00BBGGRR: dark red.
    host::ExecQuery(u"update slowwartosci set kolor = 128 where id_wartosci = :s"_s, nullptr, 0, {{"s", status}});
    host::ExecQuery(u"update firma set status = :s where id_f = :id"_s, nullptr, 0,
                    {{"s", status}, {u"id"_s, firmy.at(0)}});
    host::ExecQuery(u"update firma set status = null where id_f = :id"_s, nullptr, 0, {{"id", firmy.at(1)}});
    ASSERT_TRUE(host::var::ListaKolorCzcionka.set(0x00FF00)); // green

    const auto kolorFirmy = [this](int id) {
        const db::DataSet *lista = ramka()->Lista();
        const int pole = lista->fieldIndex(u"id"_s);
        for (int w = 0; w < lista->recordCount(); ++w)
            if (lista->valueAt(lista->bookmarkAt(w), pole).toInt() == id)
                return ramka()->ListaGrid()->rowTextColor(w);
        return QColor();
    };

    ASSERT_TRUE(host::var::CzyKoloryListaFirm.set(true));
    _Execute(qApp, 1);
    ASSERT_NE(ramka(), nullptr);
    EXPECT_EQ(kolorFirmy(firmy.at(0)), QColor(128, 0, 0));
    EXPECT_EQ(kolorFirmy(firmy.at(1)), QColor(Qt::green)) << "no status: the default row colour";
    EXPECT_EQ(ramka()->SzybkieSzukanie(), nullptr) << "no quick search without option 136";

    // Again without colours, but with quick search (option 136).
    delete partners::windows().lista_firm_form.data();
    const int id = firmy.last();
    host::ExecQuery(u"update firma set nazwa = :n where id_f = :id"_s, nullptr, 0,
                    {{"n", u"Qwertyuiop Spedycja"_s}, {u"id"_s, id}});
    host::appContext().setOption(host::option::ListaFirmSzybkieSzukanie, true);
    ASSERT_TRUE(host::var::CzyKoloryListaFirm.set(false));
    _Execute(qApp, 1);
    host::appContext().setOption(host::option::ListaFirmSzybkieSzukanie, false);
    ASSERT_NE(ramka(), nullptr);
    EXPECT_EQ(kolorFirmy(firmy.at(0)), QColor(Qt::green)) << "colours by status are off";
    ASSERT_NE(ramka()->SzybkieSzukanie(), nullptr);
    EXPECT_EQ(ramka()->SzybkieSzukanie()->indeks().liczba(), ramka()->Lista()->recordCount());

    ramka()->window()->show();
    QLineEdit *fraza = ramka()->szukany_tekst();
    fraza->setFocus();
    QTest::keyClicks(fraza, u"QWERTY"_s);
    EXPECT_TRUE(ramka()->SzybkieSzukanie()->widoczna());
    QTest::keyClick(fraza, Qt::Key_Down);
    QTest::keyClick(fraza, Qt::Key_Return);
    EXPECT_EQ(ramka()->idBiezacegoWiersza(), id) << "the picked company becomes the current row";
    EXPECT_FALSE(ramka()->SzybkieSzukanie()->widoczna());
}

// Export writes the rows the list shows, in its order; an imported company is listed at once.
TEST_P(ListaFirmOkno, EksportWidocznychWierszyIImportZOdswiezeniem)
{
    _Execute(qApp, 1);
    Tlista_firm_frame *r = ramka();
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(r->akcja(u"tbImportZPliku"_s)->isVisible() && r->akcja(u"tbExportDoPliku"_s)->isVisible());
    r->FiltrListy.setSort(u"nazwa DESC"_s);
    r->szukany_tekst()->setText(u"Trans"_s);
    r->bWyszWgFrazyZastosujClick();
    QStringList widoczne;
    for (int i = 0; i < r->Lista()->recordCount(); ++i)
        widoczne << r->Lista()->valueAt(r->Lista()->bookmarkAt(i), r->Lista()->fieldIndex(u"nazwa"_s)).toString();
    ASSERT_GT(widoczne.size(), 1);
    ASSERT_LT(widoczne.size(), liczbaFirm());

    QTemporaryDir katalog;
    const QString plik = katalog.filePath(u"firmy.xml"_s);
    prompter().push(Answer::saveFile(plik));
    r->akcja(u"tbExportDoPliku"_s)->trigger();
    QFile f(plik);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QString xml = QString::fromUtf8(f.readAll());
    QDomDocument d;
    ASSERT_TRUE(d.setContent(xml));
    QStringList zapisane;
    for (QDomElement e = d.documentElement().firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        zapisane << e.firstChildElement(u"nazwa"_s).text();
    EXPECT_EQ(zapisane, widoczne);

    QFile nowy(katalog.filePath(u"nowe.xml"_s));
    ASSERT_TRUE(nowy.open(QIODevice::WriteOnly));
    nowy.write(xml.replace(u"<nazwa>"_s, u"<nazwa>Nowa "_s).toUtf8());
    nowy.close();
    prompter().push(Answer::openFile(nowy.fileName()));
    r->akcja(u"tbImportZPliku"_s)->trigger();
    EXPECT_EQ(r->Lista()->recordCount(), 2 * widoczne.size()) << prompter().messageTexts().join(u" | "_s).toStdString();
}

// ---- changes for the selected companies -----------------------------------------------------

// Chooses the entry of that id in the multi-action dialog and confirms it.
Answer wybierz(int id)
{
    return Answer::dialog([id](QDialog &okno) {
        auto &dialog = dynamic_cast<Tmultiakcje_form &>(okno);
        dialog.cbLista->setCurrentIndex(dialog.cbLista->findData(id));
        ASSERT_GE(dialog.cbLista->currentIndex(), 0) << id;
        dialog.bZatwierdz->click();
    });
}

void uruchom(Tlista_firm_frame *ramka, const QList<int> &ids, const char *wpis)
{
    ramka->ListaGrid()->uncheckAll();
    for (int id : ids)
        ramka->ListaGrid()->selection().select({id, {}});
    ramka->akcja(QLatin1String(wpis))->trigger();
}

int liczba(const QString &sql, const QVariantMap &parametry = {})
{
    return host::GetIntDB(sql, {}, nullptr, parametry);
}

TEST_P(ListaFirmOkno, MultiakcjaGrupyDodajeBrakujacaAPustaZdejmujeWszystkie)
{
    _Execute(qApp, 1);
    ASSERT_NE(ramka(), nullptr);
    const int a = firmZGrupa();
    const int grupa = liczba(u"select min(grupa) from firma_grupa where id_f = :id"_s, {{"id", a}});
    const int b =
        liczba(u"select min(id_f) from firma where id_f not in (select id_f from firma_grupa where grupa = :g)"_s,
               {{"g", grupa}});
    const QString grupFirmy = u"select count(*) from firma_grupa where id_f = :id"_s;
    const int grupA = liczba(grupFirmy, {{"id", a}});
    const int grupB = liczba(grupFirmy, {{"id", b}});
    const int wszystkich = liczba(u"select count(*) from firma_grupa"_s);

    // A choice cancelled changes nothing; meanwhile the list window stays.
    prompter().push(Answer::dialog([&](QDialog &okno) {
        auto &dialog = dynamic_cast<Tmultiakcje_form &>(okno);
        EXPECT_EQ(dialog.windowTitle(), u"Grupa"_s);
        EXPECT_FALSE(dialog.bZatwierdz->isEnabled());
        dialog.cbLista->setCurrentIndex(dialog.cbLista->findData(grupa));
        EXPECT_TRUE(dialog.bZatwierdz->isEnabled());
        EXPECT_FALSE(partners::windows().lista_firm_form->close());
        dialog.bAnuluj->click();
    }));
    uruchom(ramka(), {a, b}, "miGrupa");
    EXPECT_EQ(liczba(u"select count(*) from firma_grupa"_s), wszystkich);

    prompter().push(wybierz(grupa));
    uruchom(ramka(), {a, b}, "miGrupa");
    EXPECT_EQ(liczba(grupFirmy, {{"id", a}}), grupA) << "already in the group, nothing removed";
    EXPECT_EQ(liczba(grupFirmy, {{"id", b}}), grupB + 1);
    EXPECT_EQ(liczba(u"select count(*) from firma_grupa"_s), wszystkich + 1);

    prompter().push(wybierz(0));
    uruchom(ramka(), {a, b}, "miGrupa");
    EXPECT_EQ(liczba(grupFirmy, {{"id", a}}) + liczba(grupFirmy, {{"id", b}}), 0);
    EXPECT_EQ(liczba(u"select count(*) from firma_grupa"_s), wszystkich - grupA - grupB);
    ASSERT_TRUE(ramka()->GoToId(a));
    EXPECT_TRUE(ramka()->Lista()->value(QString::fromLatin1(partners::PoleNazwaGrupy)).toString().isEmpty())
        << "the list is read again";
    EXPECT_EQ(prompter().pendingAnswers(), 0);
    EXPECT_TRUE(partners::windows().lista_firm_form->close());
}

TEST_P(ListaFirmOkno, MultiakcjaKoduAnalitykiPoprawiaIDopisujePowiazania)
{
    const int a = idFirmy(0), b = idFirmy(1), c = idFirmy(2);
    host::ExecQuery(u"delete from import_powiazania where import = 15"_s);
    host::ZapiszImportPowiazania(nullptr, -1, u"firma"_s, u"id_f"_s, a, u"stary"_s, 15);
    host::ZapiszImportPowiazania(nullptr, -1, u"firma"_s, u"id_f"_s, c, u"obcy"_s, 15);
    host::ExecQuery(u"update firma set skrot = :s where id_f = :id"_s, nullptr, 0,
                    {{"s", u"O'Hara; 50%_"_s}, {"id", b}});
    _Execute(qApp, 1);
    ASSERT_NE(ramka(), nullptr);

    uruchom(ramka(), {a, b}, "Kodanalitykiustawjakoskrtfirmy1");
    const QString kody =
        u"select wartosc_import from import_powiazania where import = 15 and tabela = 7 and id_ = :id"_s;
    for (int id : {a, b})
        EXPECT_EQ(
            host::GetListaStringDB(kody, {}, nullptr, {{"id", id}}),
            QStringList{host::GetStringDB(u"select skrot from firma where id_f = :id"_s, {}, nullptr, {{"id", id}})});
    EXPECT_EQ(host::GetListaStringDB(kody, {}, nullptr, {{"id", c}}), QStringList{u"obcy"_s});
    EXPECT_TRUE(prompter().questions().isEmpty()) << "no dialog and no error";
}

TEST_P(ListaFirmOkno, MultiakcjaUwagIPozostawiaFirmyKtoreJeJuzMaja)
{
    host::ExecQuery(u"insert into faktura_uwagi_dodatkowe (nazwa, tresc) values ('Uwagi', 't')"_s);
    const int uwagi = liczba(u"select max(id_fv_ud) from faktura_uwagi_dodatkowe"_s);
    const int a = idFirmy(0), b = idFirmy(1);
    host::ExecQuery(u"update firma set id_fv_ud = :u where id_f = :id"_s, nullptr, 0, {{"u", uwagi}, {"id", a}});
    _Execute(qApp, 1);
    ASSERT_NE(ramka(), nullptr);
    int odczyty = 0;
    QObject::connect(ramka()->Lista(), &db::DataSet::beforeOpen, ramka(), [&] { ++odczyty; });
    const QString uwagiFirm = u"select count(*) from firma where id_fv_ud = :u and id_f in (:a, :b)"_s;

    prompter().push(wybierz(uwagi));
    uruchom(ramka(), {a}, "miDomUwagDod");
    EXPECT_EQ(odczyty, 0) << "nothing to change: nothing written, nothing read again";
    prompter().push(wybierz(uwagi));
    uruchom(ramka(), {a, b}, "miDomUwagDod");
    EXPECT_EQ(liczba(uwagiFirm, {{"u", uwagi}, {"a", a}, {"b", b}}), 2);
    EXPECT_EQ(odczyty, 1);
    prompter().push(wybierz(0));
    uruchom(ramka(), {a, b}, "miDomUwagDod");
    EXPECT_EQ(
        liczba(u"select count(*) from firma where id_fv_ud is not null and id_f in (:a, :b)"_s, {{"a", a}, {"b", b}}),
        0);
    EXPECT_EQ(prompter().pendingAnswers(), 0);
}

MALVO_INSTANTIATE_FOR_ENGINES(ListaFirmOkno);

} // namespace
