#pragma once

// The moment bwlist runs at, as the list files count it: days since 1899-12-30, local time.
[[nodiscard]] double LocalNow();
