#pragma once

// What a printer or its server answered about a destination or a job; shared by the
// CUPS job and the toolkit's job, so that both are told to the user in the same words.
enum class PrintStatus {
    Ready,         // the destination was found and takes jobs
    Accepted,      // the job is on its way to the printer
    Held,          // the job was taken but waits in the queue
    NoDestination, // no such (or no default) destination
    Unreachable,   // no server answers
    Refused,       // the destination does not accept jobs
    Stopped,       // the destination is stopped (or in error)
    NotCreated,    // the job could not begin
    NotSent,       // the job's page did not reach the printer whole
};
