#include "shell/file_io.h"
