// The lobby list models' shared signal lives in this file's meta-object code.
#include "lobby/list_table_model.h"
