/* vaskelclass.h - class library of the Vaskel environment */
/* C calling convention; link with the vaskelclass_bcb.lib file. */
#ifndef VASKELCLASS_H
#define VASKELCLASS_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct VcNetwork VcNetwork;
typedef struct VcTrainer VcTrainer;

VcNetwork* vcNetworkNew(int inputs, int outputs);
void vcNetworkFree(VcNetwork* net);
VcNetwork* vcNetworkLoad(const char* fileName);
int vcNetworkRun(VcNetwork* net, const double* in, double* out);
VcTrainer* vcTrainerNew(VcNetwork* net, double rate);
double vcTrainerStep(VcTrainer* t, const double* samples, int count);

#ifdef __cplusplus
}
#endif

#endif
