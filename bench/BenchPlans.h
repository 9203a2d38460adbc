#pragma once

// The calendar and address reports over a 100,000-record document: gathering and building the
// weekly and monthly plans of one date, and printing address books into PDF files.
void runPlanReportsBench();
