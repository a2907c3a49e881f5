#pragma once

// The RCDATA resource that holds host/HelpTopics.txt.
#define IDR_HELP_TOPICS 24090
