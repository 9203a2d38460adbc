#pragma once

// vCard and iCalendar: export and import of 100,000 persons and of 100,000 appointments.
void runExchangeBench();
