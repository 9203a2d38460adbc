#pragma once

// The week page over the occurrences benchmark's book (100,000 appointments, 10,000 series): a week
// laid out and painted into an image, for a week whose months the index has not worked out yet and
// for the week after it, and the repaints of scrolling its grid.
void runWeekBench();
