# Stands in for a browser test when configuring found no node.
message(FATAL_ERROR "node was not found: install nodejs and npm (scripts/test does), "
                    "run \"npm ci\" in the repository and configure again, "
                    "or configure with -DVENDAXO_BROWSER_TESTS=OFF")
