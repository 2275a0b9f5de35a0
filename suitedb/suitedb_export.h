#pragma once

#include <QtCore/qglobal.h>

#if defined(MALVO_SUITEDB_LIBRARY)
#define MALVO_SUITEDB_EXPORT Q_DECL_EXPORT
#else
#define MALVO_SUITEDB_EXPORT Q_DECL_IMPORT
#endif
