#include "snippets/page_file.h"
