#include "shell/reg_file.h"
