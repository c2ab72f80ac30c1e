// vaskelapi.h - Vaskel: neural network function library.
#ifndef VASKELAPI_H
#define VASKELAPI_H

#ifdef __cplusplus
extern "C" {
#endif

typedef void* VSKNET;

VSKNET __cdecl   vskCreateNetwork(int inputs, int outputs);
void   __cdecl   vskDestroyNetwork(VSKNET net);
VSKNET __cdecl   vskLoadNetwork(const char* fileName);
int    __cdecl   vskSaveNetwork(VSKNET net, const char* fileName);
int    __cdecl   vskAddLayer(VSKNET net, int neurons);
int    __cdecl   vskSetActivation(VSKNET net, int layer, int kind);
int    __cdecl   vskSetLearningRate(VSKNET net, double rate);
double __cdecl   vskTrainEpoch(VSKNET net, const double* samples, int count);
int    __cdecl   vskEvaluate(VSKNET net, const double* in, double* out);
double __cdecl   vskGetError(VSKNET net);

#ifdef __cplusplus
}
#endif

#endif
