#include "claim_files.hpp"
