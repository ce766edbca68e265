#pragma once
#include "cli/command.h"

extern const CCommand kEncryptCommand;
extern const CCommand kDecryptCommand;
extern const CCommand kCreateCommand;
extern const CCommand kCheckCommand;
extern const CCommand kShowCommand;
extern const CCommand kMessagesCommand;
extern const CCommand kImportNetworkManagerCommand;
