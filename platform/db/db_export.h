#pragma once

#include <QtCore/qglobal.h>

#if defined(MALVO_DB_LIBRARY)
#define MALVO_DB_EXPORT Q_DECL_EXPORT
#else
#define MALVO_DB_EXPORT Q_DECL_IMPORT
#endif
