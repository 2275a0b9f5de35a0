#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace db {
class Connection;
class StoredProc;
} // namespace db

namespace ramka {

// A file linked to a record (a dokument_plik row); sciezka is relative to
// the document store, with the suite's backslashes.
struct PlikPowiazany
{
    int idDp = 0;
    QString sciezka;
};

struct WynikUsuwania;

// How long one row's delete statements may run (milliseconds) before they
// are stopped and the row is left as it was.
inline constexpr int LimitCzasuUsuwania = 180000;

// Runs on the worker thread with the worker's connection; must not touch widgets.
using HakUsuwania = std::function<bool(int id, db::Connection &polaczenie)>;

// A list frame's own delete hooks. They touch widgets and the host
// connection, so the worker hands each call to the thread of `kontekst` and
// waits for the answer; once `kontekst` is gone they are no longer called.
struct HakiOkna
{
    QPointer<QObject> kontekst;
    std::function<bool(int id)> przedUsunieciem; // false keeps the row
    std::function<void(int id)> poUsunieciu;     // after the row's commit
    // May change PUsunW's @tabela, @nazwa_id and @id of a row; the procedure
    // belongs to the worker's connection, so only its values are set.
    std::function<void(db::StoredProc &usun, int id)> parametryWiersza;
    // The frame's own one-row delete; when set it does each row's whole work
    // in place of the steps above and reports what it kept into the result.
    std::function<bool(int id, const QList<PlikPowiazany> &pliki, WynikUsuwania &wynik)> usuwanieRekordu;
};

// What a multi-row delete needs from the list frame.
struct ParametryUsuwania
{
    QList<int> ids;
    QString tabela;          // @tabela of PUsunW ("firma")
    QString nazwaId;         // @nazwa_id of PUsunW ("id_f")
    bool wymuszenie = false; // KontekstRamki != 0
    QString tabelaCanDel;    // @tabela of PCanDel; empty skips the check
    int idU = 0;
    int idJezyka = 0;
    // The worker opens its own connection to this target: a QtSql
    // connection cannot be used from another thread.
    QString polaczenie;
    HakUsuwania przedUsunieciem; // false keeps the row
    HakUsuwania poUsunieciu;
    // Run after the worker's hooks of the same name, outside the row's transaction.
    HakiOkna hakiOkna;
    // Linked files to remove with their row, by row id.
    QHash<int, QList<PlikPowiazany>> plikiDoUsuniecia;
    QString katalogDokumentow;
    int limitCzasu = LimitCzasuUsuwania;
};

struct WynikUsuwania
{
    int wszystkie = 0;
    int przetworzone = 0;
    int usuniete = 0;
    QList<int> usunieteIds;
    QStringList odmowy; // @odp texts of the rows PCanDel kept
    int odrzuconePrzezHak = 0;
    QStringList bledy; // rows whose deletion failed
    QStringList plikiNieusuniete;
    bool przerwano = false;
    bool cosUsunieto = false; // as Usuwanie_rekordu's true result: id 0 counts
    int pozostale() const { return wszystkie - przetworzone; }
};

// The deletions of a multi-row delete. Created idle; start() runs them.
// Between rows it honours suspend and stop, so a row is either deleted as a
// whole (with its linked file rows, in one transaction) or left alone.
// Created on the window's thread, which must keep processing events while it
// runs: the window hooks are answered there.
class TUsuwanie_watek : public QThread
{
    Q_OBJECT
public:
    explicit TUsuwanie_watek(ParametryUsuwania parametry, QObject *parent = nullptr);
    ~TUsuwanie_watek() override;

    void wstrzymaj();
    void wznow();
    // Stops after the current row, whose window hooks are still awaited.
    void zatrzymaj();
    // Stops at once: a window hook not yet answered is given up (a row not
    // yet confirmed stays; a deleted one misses its after hook). For the
    // window's thread before it blocks on wait().
    void porzuc();
    bool wstrzymany() const;
    // Stops and waits for the end, answering window hooks meanwhile.
    void zatrzymajIZaczekaj();

    // Complete once the thread has finished.
    WynikUsuwania wynik() const;

signals:
    void postep(int przetworzone, int usuniete, int wszystkie);

protected:
    void run() override;

private:
    struct ZadanieOkna;

    bool czekajNaWznowienie();
    // False when the row was given up (porzuc) before it was decided.
    bool usunWiersz(db::Connection &polaczenie, int id, WynikUsuwania &wynik);
    // The row's steps; usunWiersz runs them under the handler guard.
    bool wykonajUsuniecie(db::Connection &polaczenie, int id, WynikUsuwania &wynik);
    void usunPliki(int id, WynikUsuwania &wynik);
    // Runs the hook on the window's thread; nullopt when given up.
    std::optional<bool> wywolajWOknie(std::function<bool()> hak);

    const ParametryUsuwania m_p;
    const QString m_opisLimituCzasu; // translated here, not on the worker
    // The standard library's locks rather than Qt's: Qt's wait condition
    // releases the mutex inside Qt, unseen by the thread sanitizer.
    mutable std::mutex m_mutex;
    std::condition_variable m_wznowiono;
    bool m_wstrzymany = false;
    bool m_porzucony = false;
    std::shared_ptr<ZadanieOkna> m_zadanie; // the window call being awaited
    std::atomic<bool> m_stop{false};
    WynikUsuwania m_wynik;
};

// Deletes a row's linked-file rows, then the row through `usun` (PUsunW,
// ready to run), in one transaction under a time limit: either all go or
// none. The files themselves are the caller's, after this succeeded.
struct UsunietyWiersz
{
    bool usuniety = false;
    bool czasMinal = false;
    QString blad; // the refusing procedure's code, with the file's path
};
UsunietyWiersz usunWierszZPlikami(db::Connection &polaczenie, db::StoredProc &usun, const QList<PlikPowiazany> &pliki,
                                  int idU, int limitCzasu);

// What a user is told about a row whose delete ran out of time.
QString opisLimituCzasu(int limitCzasu);

// Removes a file of the store; refuses any path that leads out of it.
bool usunPlikZMagazynu(const QString &katalogDokumentow, const QString &sciezka);

} // namespace ramka
