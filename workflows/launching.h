// workflows/launching.h — starting produced and chosen programs.
//
// Neither command waits for the program it starts. Both enable the
// screenshot button: the run command when the start succeeded, the
// run-chosen command whenever a name was chosen.
#pragma once

void RunProducedProgram();
void RunChosenProgram();
