#pragma once

// Birthdays and anniversaries of a 10,000-person phone book: the query the views, the plans and the
// agenda make for 30 days, a calendar page of six weeks and a whole year.
void runBirthdaysBench();
