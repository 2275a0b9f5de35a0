#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace delivery_terms {

// Kinds of template the company editor offers; both live in szablon_zlecenia
// and differ only in the caption they are edited under.
enum class Rodzaj { Zlecenie = 0, PotwierdzenieZlecenia = 1 };

// An execution-conditions template: name and text. Accepting checks the name
// and saves; savedId() is then the template's id.
class Tedycja_szablonu_form : public QDialog
{
    Q_OBJECT
public:
    Tedycja_szablonu_form(Rodzaj rodzaj, int id, QWidget *parent = nullptr);

    // False when the template to edit does not exist.
    bool wczytaj();
    int savedId() const { return m_zapisane; }
    void accept() override;

private:
    int zapisz();

    int m_id;
    int m_zapisane = 0;
    QLineEdit *m_nazwa;
    QPlainTextEdit *m_tresc;
};

} // namespace delivery_terms
