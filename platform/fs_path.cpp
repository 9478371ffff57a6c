#include "platform/fs_path.h"
