#pragma once

#include "ui_export.h"

#include <QComboBox>
#include <functional>

namespace ui {

// A pick list whose entries are read when it first opens: a pick list of all
// companies costs seconds in a large register, and most windows that hold
// one never open it. Until then it holds what the window put there (the
// current choice).
class MALVO_UI_EXPORT LazyComboBox : public QComboBox
{
    Q_OBJECT
public:
    using Loader = std::function<void(QComboBox *)>;

    explicit LazyComboBox(QWidget *parent = nullptr);

    void setLoader(Loader loader) { m_loader = std::move(loader); }
    // Empties the list; the loader reads it again at the next opening.
    void unload();
    bool isLoaded() const { return m_loaded; }

    void showPopup() override;

private:
    Loader m_loader;
    bool m_loaded = false;
};

} // namespace ui
