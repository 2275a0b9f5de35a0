#pragma once

// Everything the host offers the module and the siblings.
#include "data_paths.h"
#include "dictionary_form.h"
#include "host_context.h"
#include "host_error.h"
#include "host_funcs.h"
#include "host_syscore.h"
#include "host_variables.h"
#include "prompter.h"
#include "services.h"
#include "siblings.h"
#include "window_messages.h"
