// module_state
